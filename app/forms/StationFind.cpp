#include "app/forms/StationFind.h"

#include "ui_MainWindow.h"

#include "app/catalogue/FindText.h"
#include "app/catalogue/StationModel.h"
#include "app/catalogue/StationTree.h"
#include "app/forms/MainWindow.h"
#include "app/forms/TreeOrder.h"
#include "core/ErrorWrapper.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

TStationFind::TStationFind(TfrmMain& form) : QObject(&form), f_(form) {}

void TStationFind::bind() {
    auto& u = f_.form();
    box_ = u.txtFind;
    u.txtFind->setPlaceholderText(QStringLiteral("Find a station"));
    u.txtFind->setClearButtonEnabled(true);
    u.txtFind->installEventFilter(this);
    connect(u.txtFind, &QLineEdit::textChanged, this,
            [this](const QString& text) { orvik::runGuarded([&] { Apply(text); }); });
    connect(u.tvStations->stations(), &TStationModel::keysFolded, this, [this] {
        orvik::runGuarded([this] {
            if (!text_.isEmpty() && !f_.form().tvStations->stations()->FilterComplete())
                Filter(text_, false);
        });
    });
}

void TStationFind::FocusBox() {
    auto& ui = f_.form();
    ui.PageControl->setCurrentWidget(ui.tabStation);
    ui.txtFind->setFocus(Qt::ShortcutFocusReason);
    ui.txtFind->selectAll();
}

bool TStationFind::eventFilter(QObject* watched, QEvent* e) {
    if (watched == box_ && box_ && e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        switch (key->key()) {
        case Qt::Key_Escape:
            box_->clear();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            orvik::runGuarded([this] { PlayFirst(); });
            return true;
        case Qt::Key_Down:
            // Down goes on into the tree, at the first match.
            if (TStationNode* first = FirstMatch()) {
                orvik::selectNode(f_.form().tvStations, first);
                f_.form().tvStations->setFocus(Qt::TabFocusReason);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, e);
}

void TStationFind::Apply(const QString& text) {
    const QString folded = orvik::foldForFind(text);
    if (folded.isEmpty()) {
        End();
        return;
    }
    TStationTree* tree = f_.form().tvStations;
    if (!before_)
        before_ = TTreeState::Capture(tree, nullptr);
    // A longer text only ever shows fewer stations: the hidden ones need no second look.
    const bool narrowing = !text_.isEmpty() && folded.startsWith(text_);
    text_ = folded;
    Filter(folded, narrowing);
}

void TStationFind::Filter(const QString& folded, bool narrowing) {
    TStationTree* tree = f_.form().tvStations;
    // The model shows the matches alone; the node selected before stays selected while it
    // matches.
    TStationNode* selected = orvik::selectedNode(tree);
    const int scroll = tree->verticalScrollBar()->value();
    // While the texts of a fresh load are still being made (a slice at a time, while idle),
    // the find shows the stations they are made for and looks again once all are, instead of
    // keeping the window waiting for a large catalogue.
    TStationModel* model = tree->stations();
    const bool ready = model->KeysFoldedAhead() ||
                       model->StationTotal() - qint64(model->KeysFolded()) <= foldAtOnceLimit;
    model->SetFilter(folded, narrowing, ready);
    tree->expandAll();
    if (selected && !selected->isHidden()) {
        orvik::selectNode(tree, selected);
        tree->doItemsLayout();
        tree->verticalScrollBar()->setValue(scroll);
        tree->scrollToItem(selected);
    } else if (TStationNode* first = orvik::shownCategory(tree, 0)) {
        tree->scrollToItem(first, QAbstractItemView::PositionAtTop);
    }
}

void TStationFind::End() {
    if (!before_) {
        text_.clear();
        return;
    }
    TStationTree* tree = f_.form().tvStations;
    const TTreeState now = TTreeState::Capture(tree, nullptr);
    TTreeState restore = *before_;
    // A station the user picked while finding stays selected.
    if (!now.SameSelection(restore) && orvik::selectedNode(tree))
        restore.TakeSelection(now);
    text_.clear();
    before_.reset();
    tree->stations()->SetFilter(QString(), false);
    restore.Restore(tree, nullptr);
}

void TStationFind::Reloaded() {
    if (text_.isEmpty())
        return;
    // The new nodes show everything: the whole text is applied to them.
    Filter(text_, false);
}

TStationNode* TStationFind::FirstMatch() const {
    if (text_.isEmpty())
        return nullptr;
    TStationTree* tree = f_.form().tvStations;
    for (int i = 0, n = orvik::shownCategoryCount(tree); i < n; ++i)
        if (TStationNode* first = orvik::shownChild(orvik::shownCategory(tree, i), 0))
            return first;
    return nullptr;
}

void TStationFind::PlayFirst() {
    TStationNode* first = FirstMatch();
    if (!first)
        return;
    auto& u = f_.form();
    u.PageControl->setCurrentWidget(u.tabStation);
    orvik::selectNode(u.tvStations, first);
    f_.tvStationsClick();
    f_.tvStationsDblClick();
}
