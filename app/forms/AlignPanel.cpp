#include "app/forms/AlignPanel.h"

#include <QChildEvent>
#include <QMouseEvent>

TAlignPanel::TAlignPanel(QWidget* parent) : QFrame(parent) {}

QString TAlignPanel::alignOf(const QWidget* w) {
    return w->property("align").toString();
}

void TAlignPanel::setAlign(QWidget* w, const QString& align) {
    w->setProperty("align", align);
    if (auto* panel = qobject_cast<TAlignPanel*>(w->parentWidget()))
        panel->realign();
}

void TAlignPanel::realign() {
    if (realigning_)
        return;
    realigning_ = true;
    QRect r = contentsRect();
    QList<QWidget*> kids;
    for (QObject* o : children())
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && !w->isHidden())
            kids << w;

    auto pass = [&](const QString& which) {
        for (QWidget* w : kids) {
            if (alignOf(w) != which)
                continue;
            if (which == u"top") {
                w->setGeometry(r.left(), r.top(), r.width(), w->height());
                r.setTop(r.top() + w->height());
            } else if (which == u"bottom") {
                w->setGeometry(r.left(), r.bottom() + 1 - w->height(), r.width(), w->height());
                r.setBottom(r.bottom() - w->height());
            } else if (which == u"left") {
                w->setGeometry(r.left(), r.top(), w->width(), r.height());
                r.setLeft(r.left() + w->width());
            } else if (which == u"right") {
                w->setGeometry(r.right() + 1 - w->width(), r.top(), w->width(), r.height());
                r.setRight(r.right() - w->width());
            } else if (which == u"client") {
                w->setGeometry(r);
            }
        }
    };
    pass(QStringLiteral("top"));
    pass(QStringLiteral("bottom"));
    pass(QStringLiteral("left"));
    pass(QStringLiteral("right"));
    pass(QStringLiteral("client"));

    for (QWidget* w : kids) {
        if (!alignOf(w).isEmpty())
            continue;
        bool ok = false;
        const int move = w->property("anchorRightMargin").toInt(&ok);
        if (ok) {
            w->move(width() - move - w->width(), w->y());
            continue;
        }
        const int stretch = w->property("stretchRightMargin").toInt(&ok);
        if (ok)
            w->resize(qMax(0, width() - stretch - w->x()), w->height());
    }
    realigning_ = false;
}

void TAlignPanel::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    realign();
}

bool TAlignPanel::event(QEvent* e) {
    if (e->type() == QEvent::ChildAdded) {
        auto* ce = static_cast<QChildEvent*>(e);
        if (ce->child()->isWidgetType())
            ce->child()->installEventFilter(this);
    } else if (e->type() == QEvent::LayoutRequest || e->type() == QEvent::Show) {
        realign();
    }
    return QFrame::event(e);
}

bool TAlignPanel::eventFilter(QObject* watched, QEvent* e) {
    // A child shown or hidden changes what the aligned children around it get.
    if (watched->parent() == this &&
        (e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent))
        realign();
    return QFrame::eventFilter(watched, e);
}

TSplitterBar::TSplitterBar(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::SplitHCursor);
}

QWidget* TSplitterBar::target() const {
    QWidget* p = parentWidget();
    if (!p)
        return nullptr;
    QWidget* candidate = nullptr;
    for (QObject* o : p->children()) {
        if (o == this)
            break;
        if (auto* w = qobject_cast<QWidget*>(o); w && TAlignPanel::alignOf(w) == u"left")
            candidate = w;
    }
    return candidate;
}

void TSplitterBar::mousePressEvent(QMouseEvent* e) {
    if (QWidget* t = target(); t && e->button() == Qt::LeftButton) {
        pressX_ = e->globalPosition().toPoint().x();
        startWidth_ = t->width();
    }
}

void TSplitterBar::mouseMoveEvent(QMouseEvent* e) {
    QWidget* t = target();
    if (pressX_ < 0 || !t || !t->isVisible())
        return;
    const int maxWidth = parentWidget()->width() - width() - 30;
    const int w = qBound(30, startWidth_ + e->globalPosition().toPoint().x() - pressX_, maxWidth);
    t->resize(w, t->height());
    if (auto* panel = qobject_cast<TAlignPanel*>(parentWidget()))
        panel->realign();
}

void TSplitterBar::mouseReleaseEvent(QMouseEvent*) {
    pressX_ = -1;
}
