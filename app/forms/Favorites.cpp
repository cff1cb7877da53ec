#include "app/forms/Favorites.h"

#include "ui_MainWindow.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/Query.h"
#include "app/forms/MainWindow.h"
#include "app/forms/TreeOrder.h"

TFavorites::TFavorites(TfrmMain& form) : QObject(&form), f_(form) {}

TStationNode* TFavorites::StationToMark() const {
    TStationNode* node = orvik::selectedNode(f_.form().tvStations);
    if (!node || !node->parent())
        return nullptr;
    const TItemPtr station = itemOf(node);
    return station && !station->Favorite ? node : nullptr;
}

QListWidgetItem* TFavorites::SelectedFavorite() const {
    QListWidgetItem* li = f_.form().lsvFavorites->currentItem();
    return li && li->isSelected() ? li : nullptr;
}

void TFavorites::actFavoriteExecute() {
    f_.catalogue().CheckWritable();
    TStationNode* node = StationToMark();
    if (!node)
        return;
    const TItemPtr station = itemOf(node);
    f_.catalogue().qrySQL().ExecSQL(
        QStringLiteral("update stations set s_favorite = true where s_id = %1")
            .arg(ExactStationId(*station)));
    station->Favorite = true;
    // At the end, not in name order: the next load sorts the list again.
    auto* favorite = new TStationListItem(station, node->text(0));
    favorite->setIcon(node->icon(0));
    f_.form().lsvFavorites->addItem(favorite);
}

void TFavorites::actFavoriteUpdate() {
    f_.form().actFavorite->setEnabled(StationToMark() != nullptr);
}

void TFavorites::actDeleteFavoriteExecute() {
    f_.catalogue().CheckWritable();
    QListWidgetItem* li = SelectedFavorite();
    const TItemPtr station = itemOf(li);
    if (!station)
        return;
    f_.catalogue().qrySQL().ExecSQL(
        QStringLiteral("update stations set s_favorite = false where s_id = %1")
            .arg(ExactStationId(*station)));
    station->Favorite = false;
    QListWidget* list = f_.form().lsvFavorites;
    delete list->takeItem(list->row(li));
}

void TFavorites::actDeleteFavoriteUpdate() {
    f_.form().actDeleteFavorite->setEnabled(SelectedFavorite() != nullptr);
}
