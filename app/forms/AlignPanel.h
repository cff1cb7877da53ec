#pragma once

#include <QFrame>
#include <QPointer>

// A panel that places its children the way the forms were designed: each child may carry the
// dynamic property "align" ("top", "bottom", "left", "right", "client"); other children keep
// their geometry, optionally following the right edge ("anchorRightMargin": moves with it;
// "stretchRightMargin": its width stretches with it). Top and bottom children come first, then
// left and right, then client children fill what is left. Overlapping children are stacked
// by z-order (raise/lower), which the player area relies on.
class TAlignPanel : public QFrame {
    Q_OBJECT
public:
    explicit TAlignPanel(QWidget* parent = nullptr);

    // Lays the children out again (also done on every resize and when a child is shown or
    // hidden).
    void realign();

    // The child's alignment: "" (none) or one of the names above.
    static QString alignOf(const QWidget* w);
    static void setAlign(QWidget* w, const QString& align);

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool realigning_ = false;
};

// A vertical bar between a left-aligned panel and the rest; dragging it changes the width of
// the panel aligned left just before it. It stays when that panel is hidden.
class TSplitterBar : public QWidget {
    Q_OBJECT
public:
    explicit TSplitterBar(QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QWidget* target() const;
    int pressX_ = -1;
    int startWidth_ = 0;
};
