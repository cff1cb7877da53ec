#include "app/forms/StationFind.h"

#include "ui_MainWindow.h"

#include "app/catalogue/FindText.h"
#include "app/catalogue/Nodes.h"
#include "app/forms/MainWindow.h"
#include "app/forms/TreeOrder.h"
#include "core/ErrorWrapper.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

#include <vector>

namespace {

TStationNode* stationNode(QTreeWidgetItem* node) {
    return node && node->type() == TStationNode::Type ? static_cast<TStationNode*>(node) : nullptr;
}

const QString& keyOf(TStationNode* node) {
    if (node->findKey.isNull()) {
        const TItem* item = node->item.get();
        const QString name = item ? item->Name : node->text(0);
        const QString comment = item ? item->Comment : QString();
        // The line break cannot be typed into the box, so no text matches across the two.
        node->findKey = orvik::foldForFind(comment.isEmpty() ? name : name + u'\n' + comment);
        if (node->findKey.isNull())
            node->findKey = QLatin1String("");
    }
    return node->findKey;
}

void setFindHidden(TStationNode* node, bool hidden) {
    if (node->findHidden == hidden)
        return;
    node->findHidden = hidden;
    node->setHidden(hidden);
}

} // namespace

TStationFind::TStationFind(TfrmMain& form) : QObject(&form), f_(form) {}

void TStationFind::bind() {
    auto& u = f_.form();
    box_ = u.txtFind;
    u.txtFind->setPlaceholderText(QStringLiteral("Find a station"));
    u.txtFind->setClearButtonEnabled(true);
    u.txtFind->installEventFilter(this);
    connect(u.txtFind, &QLineEdit::textChanged, this,
            [this](const QString& text) { orvik::runGuarded([&] { Apply(text); }); });
    auto* shortcut = new QShortcut(QKeySequence::Find, &f_);
    connect(shortcut, &QShortcut::activated, this, [this] {
        auto& ui = f_.form();
        ui.PageControl->setCurrentWidget(ui.tabStation);
        ui.txtFind->setFocus(Qt::ShortcutFocusReason);
        ui.txtFind->selectAll();
    });
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
            if (QTreeWidgetItem* first = FirstMatch()) {
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
    QTreeWidget* tree = f_.form().tvStations;
    if (!before_)
        before_ = TTreeState::Capture(tree, nullptr);
    // A longer text only ever shows fewer stations: the hidden ones need no second look.
    const bool narrowing = !text_.isEmpty() && folded.startsWith(text_);
    text_ = folded;
    Filter(folded, narrowing);
}

void TStationFind::Filter(const QString& folded, bool narrowing) {
    QTreeWidget* tree = f_.form().tvStations;
    QTreeWidgetItem* firstShown = nullptr;
    std::vector<char> matches;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* category = tree->topLevelItem(i);
        const int n = category->childCount();
        matches.assign(size_t(n), 0);
        bool any = false;
        for (int j = 0; j < n; ++j) {
            TStationNode* node = stationNode(category->child(j));
            // A hidden node did not match a shorter start of this text.
            if (!node || (narrowing && node->findHidden))
                continue;
            matches[size_t(j)] = keyOf(node).contains(folded);
            any = any || matches[size_t(j)];
        }
        // A category without matches is hidden as a whole; its stations are left as they are
        // (a node marked hidden still never matches the text).
        if (auto* c = stationNode(category))
            setFindHidden(c, !any);
        else
            category->setHidden(!any);
        if (!any)
            continue;
        for (int j = 0; j < n; ++j)
            if (TStationNode* node = stationNode(category->child(j)))
                setFindHidden(node, !matches[size_t(j)]);
        category->setExpanded(true);
        if (!firstShown)
            firstShown = category;
    }
    if (firstShown && !orvik::selectedNode(tree))
        tree->scrollToItem(firstShown, QAbstractItemView::PositionAtTop);
}

void TStationFind::End() {
    if (!before_) {
        text_.clear();
        return;
    }
    QTreeWidget* tree = f_.form().tvStations;
    const TTreeState now = TTreeState::Capture(tree, nullptr);
    TTreeState restore = *before_;
    // A station the user picked while finding stays selected.
    if (!now.SameSelection(restore) && orvik::selectedNode(tree))
        restore.TakeSelection(now);
    text_.clear();
    before_.reset();
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* category = tree->topLevelItem(i);
        category->setExpanded(false);
        for (int j = 0, n = category->childCount(); j < n; ++j)
            if (TStationNode* node = stationNode(category->child(j)))
                setFindHidden(node, false);
        if (auto* c = stationNode(category))
            setFindHidden(c, false);
        else
            category->setHidden(false);
    }
    restore.Restore(tree, nullptr);
}

void TStationFind::Reloaded() {
    if (text_.isEmpty())
        return;
    // The new nodes show everything: the whole text is applied to them.
    Filter(text_, false);
}

QTreeWidgetItem* TStationFind::FirstMatch() const {
    if (text_.isEmpty())
        return nullptr;
    QTreeWidget* tree = f_.form().tvStations;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* category = tree->topLevelItem(i);
        if (category->isHidden())
            continue;
        for (int j = 0, n = category->childCount(); j < n; ++j) {
            TStationNode* node = stationNode(category->child(j));
            if (node && !node->findHidden)
                return node;
        }
    }
    return nullptr;
}

void TStationFind::PlayFirst() {
    QTreeWidgetItem* first = FirstMatch();
    if (!first)
        return;
    auto& u = f_.form();
    u.PageControl->setCurrentWidget(u.tabStation);
    orvik::selectNode(u.tvStations, first);
    f_.tvStationsClick();
    f_.tvStationsDblClick();
}
