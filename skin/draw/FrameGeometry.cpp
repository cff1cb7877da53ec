#include "skin/draw/FrameGeometry.h"

#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"

#include <QFontMetrics>

#include <algorithm>

namespace orvik {

TBorderSizes BorderSizes(const TSkinData& skin, TBorderKind kind) {
    if (kind == TBorderKind::None || skin.Loading())
        return {};
    return {skin.Left()->FrameWidth(), skin.Top()->FrameHeight(), skin.Right()->FrameWidth(),
            skin.Bottom()->FrameHeight()};
}

namespace {

bool asks(int code) {
    return code >= visibility::AskFirst && code <= visibility::AskLast;
}

// The tests both codes share: 0 to 4, 7 and 9.
bool commonTest(int code, const TFrameState& s, bool& known) {
    known = true;
    switch (code) {
    case visibility::Always:
        return true;
    case visibility::Maximised:
        return s.maximised;
    case visibility::NotMaximised:
        return !s.maximised;
    case visibility::Active:
        return s.active;
    case visibility::Inactive:
        return !s.active;
    case visibility::NoMaximiseBox:
        return !s.maximiseBox;
    case visibility::NoMinimiseBox:
        return !s.minimiseBox;
    default:
        known = false;
        return false;
    }
}

bool childButtonsShown(const TFrameState& s) {
    return s.childMaximised && s.menuHeight > 0;
}

bool firstTest(const TDataSkinSysButton& b, const TFrameState& s, TButtonRules rules,
               const TAskButtonVisible& ask) {
    const int code = b.Visibility;
    const bool caption = rules == TButtonRules::Caption;
    if (caption && code == visibility::Always)
        return b.Action != action::Close || s.systemMenu;
    bool known = false;
    const bool common = commonTest(code, s, known);
    if (known)
        return common;
    switch (code) {
    case visibility::MaximiseBox:
        return s.maximiseBox && s.systemMenu;
    case visibility::MinimiseBox:
        return s.minimiseBox && s.systemMenu;
    case visibility::ChildMaximised:
        return childButtonsShown(s);
    case visibility::DialogFrame:
        return caption || (s.kind == TBorderKind::Dialog && !s.dialogClass);
    default:
        break;
    }
    if (code >= visibility::AlwaysFirst && code <= visibility::AlwaysLast)
        return true;
    if (asks(code))
        return caption || (ask && ask(code, b.Action));
    return false;
}

bool secondTest(const TDataSkinSysButton& b, const TFrameState& s, bool first) {
    const int code = b.Visibility1;
    bool known = false;
    const bool common = commonTest(code, s, known);
    if (known)
        return common;
    switch (code) {
    case visibility::MaximiseBox:
        return s.maximiseBox;
    case visibility::MinimiseBox:
        return s.minimiseBox;
    case visibility::ChildMaximised:
        return first;
    default:
        return code >= visibility::DialogFrame && code <= visibility::AskLast;
    }
}

} // namespace

bool ButtonVisible(const TDataSkinSysButton& b, const TFrameState& s, TButtonRules rules,
                   const TAskButtonVisible& ask) {
    if (b.Visibility < 0)
        return false;
    const bool first = firstTest(b, s, rules, ask);
    if (!first || !secondTest(b, s, first))
        return false;
    // What the action needs of the window.
    if (rules == TButtonRules::Frame && b.Action == action::Close && !s.systemMenu)
        return false;
    if (action::IsMaximise(b.Action) && !s.maximiseBox)
        return false;
    if (action::IsMinimise(b.Action) && !s.minimiseBox)
        return false;
    if (action::IsSystemMenu(b.Action) && s.kind == TBorderKind::Dialog)
        return false;
    return true;
}

namespace {

bool placeable(const TDataSkinSysButton& b) {
    return b.HasImage() && !b.FrameSize().isEmpty();
}

} // namespace

int HotTrackWidth(const TSkinData& skin, const TFrameState& state, TButtonRules rules,
                  const TAskButtonVisible& ask) {
    int x = 0;
    for (const TDataSkinSysButton* b : skin.SysButtons()) {
        if (b->Align != align::FromRight || !placeable(*b) || !ButtonVisible(*b, state, rules, ask))
            continue;
        const int left = state.size.width() - b->Xcoord;
        x = x == 0 ? left : std::min(x, left);
    }
    return x;
}

QString SpacedCaption(const QString& caption) {
    return QLatin1Char(' ') + caption + QStringLiteral("  ");
}

QRect CaptionTextRect(const TSkinData& skin, const TFrameState& s, int textWidth,
                      int hotTrackWidth) {
    const TBorderSizes borders = BorderSizes(skin, s.kind);
    if (borders.title <= 0 || skin.Loading())
        return {};
    const TDataSkinTitle& title = *skin.Title();
    const int windowWidth = s.size.width();
    const int width = std::max(0, textWidth) + title.TxtBackLeft + title.TxtBackRight;
    const int alignment = s.rightToLeft ? 2 : title.TextAlignment;

    int left = title.LeftWidth;
    if (alignment == 1) {
        // Centred, but never into the room kept at the left: a caption wider than the middle
        // starts there and is cut at the right.
        left = std::max((windowWidth - width) / 2, title.LeftWidth);
    } else if (alignment == 2) {
        left = windowWidth - title.RightWidth - width;
    } else if (s.kind == TBorderKind::Dialog) {
        left -= 16;
    }
    left = std::max(left, 0);

    const int cut =
        s.popupStyle && hotTrackWidth > 5 ? hotTrackWidth - 5 : windowWidth - title.RightWidth;
    const int right = std::min(left + width, cut);
    if (right <= left)
        return {};
    return {left, 0, right - left, borders.title};
}

QList<TCaptionButtonPlace> CaptionButtonPlaces(const TSkinData& skin, const TFrameState& s,
                                               const QRect& textRect, TButtonRules rules,
                                               const TAskButtonVisible& ask) {
    QList<TCaptionButtonPlace> out;
    if (s.kind == TBorderKind::None || skin.Loading())
        return out;
    const TBorderSizes borders = BorderSizes(skin, s.kind);
    const int textLeft = textRect.isEmpty() ? 0 : textRect.left();
    const int textRight = textRect.isEmpty() ? 0 : textRect.left() + textRect.width();
    const TDataSkinObject* bar = skin.MenuBar();
    const int barMargin = bar ? bar->LeftWidth : 0;
    const QList<TDataSkinSysButton*>& list = skin.SysButtons();
    for (int i = 0; i < list.size(); ++i) {
        const TDataSkinSysButton& b = *list[i];
        if (!placeable(b) || !ButtonVisible(b, s, rules, ask))
            continue;
        const QSize size = b.FrameSize();
        int x = b.Xcoord;
        int y = b.Ycoord;
        if (b.Align == align::FromRight) {
            x = s.size.width() - b.Xcoord;
        } else if (align::IsBeforeText(b.Align)) {
            x = textLeft - size.width() - b.Xcoord;
        } else if (align::IsAfterText(b.Align)) {
            x = textRight + b.Xcoord;
        } else if (b.Align == align::ChildInMenuBar) {
            y = borders.title + (s.menuHeight - size.height()) / 2;
            x = s.rightToLeft ? b.Xcoord + borders.left + barMargin
                              : s.size.width() - b.Xcoord - borders.right - barMargin;
        }
        out.append({int(i), &b, QRect(QPoint(x, y), size)});
    }
    return out;
}

QRect TFrameLayout::Client() const {
    if (state.size.isEmpty())
        return {};
    return QRect(QPoint(0, 0), state.size)
        .adjusted(borders.left, borders.title + state.menuHeight, -borders.right, -borders.bottom);
}

TFrameLayout LayoutFrame(const TSkinData& skin, const TFrameState& state, const QString& caption,
                         const QFont& captionFont, bool captionActive,
                         const TAskButtonVisible& ask) {
    TFrameLayout layout;
    layout.state = state;
    layout.borders = BorderSizes(skin, state.kind);
    if (state.kind == TBorderKind::None || skin.Loading())
        return layout;
    const TButtonRules rules = captionActive ? TButtonRules::Caption : TButtonRules::Frame;
    layout.hotTrackWidth = HotTrackWidth(skin, state, rules, ask);
    const TDataSkinTitle& title = *skin.Title();
    if (captionActive && !caption.trimmed().isEmpty()) {
        const QString spaced = SpacedCaption(caption);
        const QFontMetrics fm(captionFont);
        layout.text =
            CaptionTextRect(skin, state, fm.horizontalAdvance(spaced), layout.hotTrackWidth);
        const int room = layout.text.width() - title.TxtBackLeft - title.TxtBackRight;
        if (room >= fm.horizontalAdvance(spaced))
            layout.elidedCaption = spaced;
        else if (room > 0)
            layout.elidedCaption = fm.elidedText(spaced, Qt::ElideRight, room);
        layout.textShiftY = title.TopHeight / 2;
    }
    layout.buttons = CaptionButtonPlaces(skin, state, layout.text, rules, ask);
    return layout;
}

THit HitTest(const TFrameLayout& layout, QPoint p) {
    const TFrameState& s = layout.state;
    if (!QRect(QPoint(0, 0), s.size).contains(p))
        return {};
    for (int i = layout.buttons.size() - 1; i >= 0; --i) {
        const TCaptionButtonPlace& b = layout.buttons[i];
        if (b.rect.contains(p))
            return {action::ShowsIcon(b.button->Action) ? THitPart::Icon : THitPart::Button, i};
    }
    const QRect client = layout.Client();
    if (client.contains(p))
        return {THitPart::Client};
    const TBorderSizes& bs = layout.borders;
    const int w = s.size.width(), h = s.size.height();
    const bool inMenu = s.menuHeight > 0 && p.y() >= bs.title && p.y() < bs.title + s.menuHeight &&
                        p.x() >= bs.left && p.x() < w - bs.right;
    if (inMenu)
        return {THitPart::Menu};

    if (s.kind == TBorderKind::Sizeable && !s.maximised && !s.minimised) {
        constexpr int TopGrip = 4;
        const int reach = std::max({16, 2 * bs.left, 2 * bs.right, 2 * bs.bottom});
        const bool left = p.x() < bs.left, right = p.x() >= w - bs.right;
        const bool top = p.y() < TopGrip, bottom = p.y() >= h - bs.bottom;
        const bool nearLeft = p.x() < reach, nearRight = p.x() >= w - reach;
        const bool nearTop = p.y() < reach, nearBottom = p.y() >= h - reach;
        if ((top && nearLeft) || (left && nearTop))
            return {THitPart::TopLeft};
        if ((top && nearRight) || (right && nearTop))
            return {THitPart::TopRight};
        if ((bottom && nearLeft) || (left && nearBottom))
            return {THitPart::BottomLeft};
        if ((bottom && nearRight) || (right && nearBottom))
            return {THitPart::BottomRight};
        if (top)
            return {THitPart::Top};
        if (left)
            return {THitPart::Left};
        if (right)
            return {THitPart::Right};
        if (bottom)
            return {THitPart::Bottom};
    }
    if (p.y() < bs.title)
        return {THitPart::Caption};
    return {THitPart::Border};
}

Qt::Edges ResizeEdges(THitPart part) {
    switch (part) {
    case THitPart::Left:
        return Qt::LeftEdge;
    case THitPart::Right:
        return Qt::RightEdge;
    case THitPart::Top:
        return Qt::TopEdge;
    case THitPart::Bottom:
        return Qt::BottomEdge;
    case THitPart::TopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case THitPart::TopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case THitPart::BottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case THitPart::BottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

} // namespace orvik
