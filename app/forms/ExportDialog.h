#pragma once

#include <QDialog>

class QRadioButton;
class QPushButton;

// Asks what an export writes: the selected category, the favorites, the search results or the
// whole catalogue. A choice with nothing to write is offered disabled.
class TExportDialog : public QDialog {
    Q_OBJECT
public:
    // category: the name of the category selected in the tree, empty for none.
    TExportDialog(QWidget* owner, const QString& category, int favorites, int results);

    QRadioButton* rbExportCategory;
    QRadioButton* rbExportFavorites;
    QRadioButton* rbExportResults;
    QRadioButton* rbExportWhole;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
};
