#pragma once

#include "app/catalogue/Query.h"

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class TfrmEditStation;
}
class TCatalogue;

// The station editor: every editable column of a station. It opens with the alphabetically
// first category and "Windows Media Player" chosen. Only its buttons close it with an answer
// (the close box rejects); Enter and Escape do not close it.
class TfrmEditStation : public QDialog {
    Q_OBJECT
public:
    TfrmEditStation(QWidget* owner, TCatalogue& catalogue);
    ~TfrmEditStation() override;

    Ui::TfrmEditStation& form() { return *ui; }

    // The category ids (decimal text) in the order of the items of cbCategory.
    const QStringList& CategoryIds() const { return ids_; }
    // Selects the first category whose id is this text; with none, the selection stays.
    void SelectCategory(const QString& id);
    // The id of the selected category; throws orvik::Error when none is selected.
    qint64 CategoryId() const;

    void cmdOKClick();
    void cmdCancelClick();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void FormCreate();

    std::unique_ptr<Ui::TfrmEditStation> ui;
    TQuery qrySQL;
    QStringList ids_;
};
