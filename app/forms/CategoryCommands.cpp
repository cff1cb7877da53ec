#include "app/forms/CategoryCommands.h"

#include "ui_MainWindow.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StationTree.h"
#include "app/catalogue/Table.h"
#include "app/forms/MainWindow.h"
#include "app/forms/StationSelection.h"
#include "app/forms/TreeOrder.h"
#include "core/ErrorWrapper.h"
#include "core/MessagePresenter.h"

#include <QSqlDatabase>
#include <QSqlError>

namespace {

// An empty name is stored as the empty text, never as NULL.
QString storedName(const QString& name) {
    return name.isNull() ? QStringLiteral("") : name;
}

QString transactionError(const QSqlDatabase& db, const QString& what) {
    const QString text = db.lastError().databaseText().trimmed();
    return text.isEmpty() ? QStringLiteral("Cannot %1 the change to the catalogue.").arg(what)
                          : text;
}

} // namespace

TCategoryCommands::TCategoryCommands(TfrmMain& form) : QObject(&form), f_(form) {}

TStationNode* TCategoryCommands::SelectedCategory() const {
    TStationNode* node = orvik::selectedNode(f_.form().tvStations);
    return node && !node->parent() ? node : nullptr;
}

void TCategoryCommands::actAddCategoryExecute() {
    f_.catalogue().CheckWritable();
    const QString name =
        orvik::InputBox(QStringLiteral("New Category"),
                        QStringLiteral("Please enter a name for the new category"), QString());
    if (name.isEmpty())
        return;
    TTable& table = f_.catalogue().tblCategories();
    table.Append();
    table.SetField(QStringLiteral("c_name"), name);
    table.Post();
    f_.LoadStations(true);
}

void TCategoryCommands::actEditCategoryExecute() {
    f_.catalogue().CheckWritable();
    TStationNode* node = SelectedCategory();
    const TItemPtr category = itemOf(node);
    if (!category)
        return;
    const QString name = storedName(
        orvik::InputBox(QStringLiteral("Edit Category"),
                        QStringLiteral("Enter the new name of the category"), node->text(0)));
    f_.catalogue().qrySQL().ExecSQL(
        QStringLiteral("update categories set c_name = ? where c_id = %1")
            .arg(ExactCategoryId(*category)),
        {name});
    node->model()->SetCategoryName(node, name);
}

void TCategoryCommands::actEditCategoryUpdate() {
    f_.form().actEditCategory->setEnabled(SelectedCategory() != nullptr);
}

void TCategoryCommands::actDeleteCategoryExecute() {
    f_.catalogue().CheckWritable();
    if (!SelectedCategory())
        return;
    if (!orvik::ShowConfirmation(QStringLiteral("Are you sure you want to delete this category?")))
        return;
    TStationNode* node = SelectedCategory();
    const TItemPtr category = itemOf(node);
    if (!category)
        return;
    const QString id = QString::number(ExactCategoryId(*category));

    // The stations and the category go together or not at all.
    QSqlDatabase db = f_.catalogue().Database();
    TQuery& query = f_.catalogue().qrySQL();
    query.Close();
    if (!db.transaction())
        throw orvik::Error(transactionError(db, QStringLiteral("start")));
    try {
        query.ExecSQL(QStringLiteral("delete from stations where c_id = ") + id);
        query.ExecSQL(QStringLiteral("delete from categories where c_id = ") + id);
        if (!db.commit())
            throw orvik::Error(transactionError(db, QStringLiteral("commit")));
    } catch (...) {
        db.rollback();
        throw;
    }
    node->model()->Remove(node);
    // Its stations go from the favorites and the information panel too.
    const qint64 categoryId = category->CategoryId;
    f_.selection().StationsDeleted(
        [categoryId](const TItem& item) { return item.CategoryId == categoryId; });
}

void TCategoryCommands::actDeleteCategoryUpdate() {
    f_.form().actDeleteCategory->setEnabled(SelectedCategory() != nullptr);
}
