#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QVariantList>

class QComboBox;
class TfrmMain;

// The Search page: a radio button picks the criterion (real category, category, language) and
// enables its list; picking an entry of that list lists the matching stations in lsvResults.
// Results carry records of their own, with no category name.
class TSearchTab : public QObject {
    Q_OBJECT
public:
    explicit TSearchTab(TfrmMain& form);

    // Run when a radio button becomes checked.
    void rbStationCategoryClick();
    void rbCategoryClick();
    void rbLanguageClick();
    // Run when the user picks an entry of a list (also the entry already shown).
    void cbStationCategoryClick();
    void cbCategoryClick();
    void cbLanguageClick();

private:
    void Choose(QComboBox* own, QComboBox* other1, QComboBox* other2);
    // Clears the results; unless "(select)" is picked, lists the rows of the statement, which
    // takes the picked name as its one parameter.
    void Search(QComboBox* list, const QString& sql);
    void ListResults(const QString& sql, const QVariantList& params);

    TfrmMain& f_;
    QList<QIcon> images_;
};
