#include "app/forms/StationSelection.h"

#include "ui_MainWindow.h"

#include "app/catalogue/Nodes.h"
#include "app/catalogue/StationTree.h"
#include "app/forms/MainWindow.h"
#include "app/forms/NowPlaying.h"
#include "core/ErrorWrapper.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

TStationSelection::TStationSelection(TfrmMain& form) : QObject(&form), f_(form) {}

void TStationSelection::bind(QMenu* popup) {
    auto& u = f_.form();
    popup_ = popup;
    auto guarded = [this](auto* sender, auto signal, void (TStationSelection::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { orvik::runGuarded([&] { (this->*handler)(); }); });
    };

    // The panel follows the selection of the page shown, whatever moved it.
    guarded(u.tvStations, &TStationTree::itemSelectionChanged, &TStationSelection::ShowCurrent);
    guarded(u.tvStations, &TStationTree::currentItemChanged, &TStationSelection::ShowCurrent);
    guarded(u.tvStations, &TStationTree::itemClicked, &TStationSelection::ShowCurrent);
    for (QListWidget* list : {u.lsvFavorites, u.lsvResults}) {
        guarded(list, &QListWidget::itemSelectionChanged, &TStationSelection::ShowCurrent);
        guarded(list, &QListWidget::currentItemChanged, &TStationSelection::ShowCurrent);
        guarded(list, &QListWidget::itemClicked, &TStationSelection::ShowCurrent);
        guarded(list, &QListWidget::itemDoubleClicked, &TStationSelection::playSelected);
    }
    guarded(u.PageControl, &QTabWidget::currentChanged, &TStationSelection::ShowCurrent);
    guarded(u.tvStations, &TStationTree::itemDoubleClicked, &TStationSelection::playSelected);

    for (QWidget* view :
         {static_cast<QWidget*>(u.tvStations), static_cast<QWidget*>(u.lsvFavorites),
          static_cast<QWidget*>(u.lsvResults)})
        view->installEventFilter(this);
    // The tree selects on any button press; the right button only opens the menu.
    u.tvStations->viewport()->installEventFilter(this);
    connect(u.tvStations, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (popup_)
            popup_->popup(f_.form().tvStations->viewport()->mapToGlobal(pos));
    });
}

bool TStationSelection::eventFilter(QObject* watched, QEvent* e) {
    auto& u = f_.form();
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (watched == u.tvStations->viewport() &&
            static_cast<QMouseEvent*>(e)->button() == Qt::RightButton)
            return true; // the context menu event still follows
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
            (watched == u.tvStations || watched == u.lsvFavorites || watched == u.lsvResults)) {
            orvik::runGuarded([this] { playSelected(); });
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, e);
}

void TStationSelection::playSelected() {
    f_.tvStationsDblClick();
}

void TStationSelection::ShowCurrent() {
    const TItemPtr item = f_.CurrentStation();
    if (!item)
        return;
    // Picking another station ends the attempts to bring back a dropped stream.
    if (shown_ && shown_->Id != item->Id)
        f_.nowPlaying().cancelReconnect();
    shown_ = item;
    auto& u = f_.form();
    u.lblName->setText(item->Name);
    u.lblCategory->setText(item->CategoryName);
    u.lblWebsite->setText(item->Website);
    u.lblComment->setText(item->Comment);
    u.lblBitrate->setText(item->Bitrate);
    u.lblPlayed->setText(item->Played);
    u.lblCreated->setText(item->Created);
}

void TStationSelection::ClearPanel() {
    shown_.reset();
    auto& u = f_.form();
    for (QLabel* label : {u.lblName, u.lblCategory, u.lblWebsite, u.lblComment, u.lblBitrate,
                          u.lblPlayed, u.lblCreated})
        label->clear();
}

void TStationSelection::StationsDeleted(const std::function<bool(const TItem&)>& deleted) {
    QListWidget* favorites = f_.form().lsvFavorites;
    for (int row = favorites->count() - 1; row >= 0; --row) {
        const TItemPtr item = itemOf(favorites->item(row));
        if (item && deleted(*item))
            delete favorites->takeItem(row);
    }
    if (shown_ && deleted(*shown_))
        ClearPanel();
}

void TStationSelection::Reloaded() {
    if (f_.CurrentStation()) {
        ShowCurrent();
        return;
    }
    if (!shown_)
        return;
    if (shown_->IdExact && f_.form().tvStations->stations()->FindStation(shown_->Id))
        return; // still there
    ClearPanel();
}
