#include "app/forms/StationCommands.h"

#include "ui_EditStation.h"
#include "ui_MainWindow.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StationReader.h"
#include "app/catalogue/StationTree.h"
#include "app/catalogue/Table.h"
#include "app/forms/EditStation.h"
#include "app/forms/MainWindow.h"
#include "app/forms/StationSelection.h"
#include "app/forms/TreeOrder.h"
#include "core/MessagePresenter.h"

#include <QDateTime>
#include <QPointer>
#include <QScopeGuard>

namespace {

// Texts are stored exactly as typed; an empty one as the empty text, never as NULL.
QString stored(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

TStationCommands::TStationCommands(TfrmMain& form) : QObject(&form), f_(form) {
    showModal = [](TfrmEditStation& dialog) { return dialog.exec(); };
}

TStationNode* TStationCommands::SelectedStation() const {
    TStationNode* node = orvik::selectedNode(f_.form().tvStations);
    return node && node->parent() ? node : nullptr;
}

void TStationCommands::WriteFields(TfrmEditStation& dialog) {
    auto& d = dialog.form();
    TTable& table = f_.catalogue().tblStations();
    table.SetField(QStringLiteral("s_name"), stored(d.txtName->text()));
    table.SetField(QStringLiteral("c_id"), dialog.CategoryId());
    table.SetField(QStringLiteral("s_url"), stored(d.txtURL->text()));
    table.SetField(QStringLiteral("s_website"), stored(d.txtWebsite->text()));
    table.SetField(QStringLiteral("s_comment"), stored(d.txtComment->text()));
    table.SetField(QStringLiteral("s_bitrate"), stored(d.txtBitrate->text()));
    // A stored format the list does not know shows no entry; it is then kept as it was.
    if (d.cbFormat->currentIndex() >= 0)
        table.SetField(QStringLiteral("s_format"), d.cbFormat->currentIndex());
    table.SetField(QStringLiteral("s_language"), stored(d.txtLanguage->text()));
}

void TStationCommands::actAddStationExecute() {
    f_.catalogue().CheckWritable();
    if (f_.form().tvStations->topLevelItemCount() == 0) {
        orvik::ShowInformation(QStringLiteral("Add a station category first."));
        return;
    }
    QPointer<TfrmEditStation> dialog = new TfrmEditStation(&f_, f_.catalogue());
    const auto destroy = qScopeGuard([&dialog] { delete dialog.data(); });
    dialog->setWindowTitle(QStringLiteral("New Station"));
    if (showModal(*dialog) != QDialog::Accepted || !dialog)
        return;
    TTable& table = f_.catalogue().tblStations();
    table.Append();
    try {
        table.SetField(QStringLiteral("s_created"), QDateTime::currentDateTime());
        WriteFields(*dialog);
    } catch (...) {
        table.Cancel();
        throw;
    }
    table.Post();
    f_.LoadStations(true);
}

void TStationCommands::actEditStationExecute() {
    f_.catalogue().CheckWritable();
    const TItemPtr station = itemOf(SelectedStation());
    if (!station)
        return;
    TTable& table = f_.catalogue().tblStations();
    table.SetFiltered(false);
    table.SetFilterKey(ExactStationId(*station));
    table.SetFiltered(true);
    if (table.IsEmpty())
        return;

    QPointer<TfrmEditStation> dialog = new TfrmEditStation(&f_, f_.catalogue());
    const auto destroy = qScopeGuard([&dialog] { delete dialog.data(); });
    auto& d = dialog->form();
    auto text = [&table](const char* column) {
        return table.Field(QLatin1String(column)).toString();
    };
    if (const auto category = CatalogueId(table.Field(QStringLiteral("c_id"))))
        dialog->SelectCategory(QString::number(*category));
    d.txtName->setText(text("s_name"));
    d.txtWebsite->setText(text("s_website"));
    d.txtComment->setText(text("s_comment"));
    d.txtBitrate->setText(text("s_bitrate"));
    d.txtURL->setText(text("s_url"));
    d.txtLanguage->setText(text("s_language"));
    // Long texts show their beginning.
    for (QLineEdit* line :
         {d.txtName, d.txtWebsite, d.txtComment, d.txtBitrate, d.txtURL, d.txtLanguage})
        line->setCursorPosition(0);
    d.cbFormat->setCurrentIndex(CatalogueInt(table.Field(QStringLiteral("s_format"))));
    dialog->setWindowTitle(QStringLiteral("Edit Station"));
    if (showModal(*dialog) != QDialog::Accepted || !dialog)
        return;

    table.Edit();
    try {
        WriteFields(*dialog);
    } catch (...) {
        table.Cancel();
        throw;
    }
    table.Post();
    table.SetFiltered(false);
    f_.LoadStations(true);
}

void TStationCommands::actEditStationUpdate() {
    f_.form().actEditStation->setEnabled(SelectedStation() != nullptr);
}

void TStationCommands::actDeleteStationExecute() {
    f_.catalogue().CheckWritable();
    if (!SelectedStation())
        return;
    if (!orvik::ShowConfirmation(QStringLiteral("Are you sure you want to delete this station?")))
        return;
    TStationNode* node = SelectedStation();
    const TItemPtr station = itemOf(node);
    if (!station)
        return;
    f_.catalogue().qrySQL().ExecSQL(
        QStringLiteral("delete from stations where s_id = %1").arg(ExactStationId(*station)));
    node->model()->Remove(node);
    // Its favorites entry and the information panel must not offer it any more.
    const qint64 id = station->Id;
    f_.selection().StationsDeleted([id](const TItem& item) { return item.Id == id; });
}

void TStationCommands::actDeleteStationUpdate() {
    f_.form().actDeleteStation->setEnabled(SelectedStation() != nullptr);
}
