// The sample window of orvik-skin preview: a main window put together from a skin's elements,
// its frame and menu bar drawn by the program's own frame and menu painters, the controls
// inside it from the elements directly.

#include "tools/orvik-skin/PreviewWindow.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"
#include "skin/draw/FrameGeometry.h"
#include "skin/draw/FramePaint.h"
#include "skin/draw/MenuBarPaint.h"
#include "skin/draw/MenuLayout.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

using orvik::DrawGlyphCentred;
using orvik::DrawNineSlice;
using orvik::TCentreFill;
using orvik::ToQColor;

// ------------------------------------------------------------------------------------------
// Frames

using orvik::FrameRect;

// Draws frame k of an element into target by the nine-part rule, as the painters do. An
// element without a frame count is drawn whole.
void drawElement(QPainter& p, const TDataSkinObject* e, int k, const QRect& target,
                 bool transparentAlways = false) {
    if (!e || !e->HasImage())
        return;
    const QRect frame = FrameRect(e->Image.size(), qMax(1, e->FrameCount), k, e->Layout);
    DrawNineSlice(p, e->Cells, e->Image, frame, target, e->Margins(),
                  e->Tile == 1 ? TCentreFill::Tile : TCentreFill::Stretch,
                  transparentAlways || e->Trans == 1);
}

// ------------------------------------------------------------------------------------------
// The sample window

struct SampleContext {
    const TSkinData& skin;
    QPainter& p;
    QFont font;
    QColor colour(TColor c) const { return ToQColor(c); }
    void text(const QRect& r, const QString& s, TColor c, int flags = Qt::AlignVCenter) const {
        p.setPen(colour(c));
        p.drawText(r, flags | Qt::TextSingleLine, s);
    }
};

void drawPushButtons(const SampleContext& c, QPoint at) {
    const TDataSkinButton* b = c.skin.Buttons();
    const struct {
        const char* caption;
        int frame;
    } buttons[] = {{"Play", 1}, {"Hot", 4}, {"Pressed", 2}, {"Disabled", 3}, {"Default", 5}};
    for (const auto& button : buttons) {
        const QRect r(at, QSize(76, 26));
        drawElement(c.p, b, button.frame, r);
        TColor ink = c.skin.ButtonTextColor();
        if (button.frame == 1 && b->HasNormalColour2)
            ink = b->NormalColour2;
        else if (button.frame == 4 && b->HasMouseOverColour2)
            ink = b->MouseOverColour2;
        else if (button.frame == 2 && b->HasPressedColour2)
            ink = b->PressedColour2;
        else if (button.frame == 3)
            ink = c.skin.ButtonShadowColor();
        c.text(r, QString::fromLatin1(button.caption), ink, Qt::AlignCenter);
        at.rx() += 82;
    }
}

void drawChecks(const SampleContext& c, QPoint at) {
    const TDataSkinButton* b = c.skin.Buttons();
    const bool twelve = b->CheckFrames == 12, eight = b->RadioFrames == 8;
    const struct {
        const char* caption;
        bool radio;
        int frame;
    } items[] = {{"Use skins", false, twelve ? 5 : 2},
                 {"Show status bar", false, 1},
                 {"By country", true, eight ? 5 : 2},
                 {"By language", true, 1}};
    for (const auto& item : items) {
        const QImage& img = item.radio ? b->RadioImage : b->CheckImage;
        const int frames = item.radio ? b->RadioFrames : b->CheckFrames;
        const QRect glyph(at, QSize(16, 18));
        if (!img.isNull())
            DrawGlyphCentred(c.p, img, FrameRect(img.size(), qMax(1, frames), item.frame), glyph);
        c.text(QRect(at + QPoint(20, 0), QSize(140, 18)), QString::fromLatin1(item.caption),
               c.skin.WindowTextColor());
        at.ry() += 22;
    }
}

void drawListPanel(const SampleContext& c, const QRect& area) {
    // Tabs over a pane, the pane holding a list with a header and a vertical scroll bar.
    const TDataSkinBorder* tabs = c.skin.Tabs();
    const char* names[] = {"Stations", "Search", "Favorites"};
    const int tabFrames[] = {2, 1, 3};
    int x = area.left() + 2;
    for (int i = 0; i < 3; ++i) {
        const QRect r(x, area.top(), 78, 24);
        drawElement(c.p, tabs, tabFrames[i], r);
        c.text(r, QString::fromLatin1(names[i]), tabs ? tabs->NormalColour2 : 0, Qt::AlignCenter);
        x += 80;
    }
    const QRect pane(area.left(), area.top() + 23, area.width(), area.height() - 23);
    drawElement(c.p, c.skin.TabPane(), 1, pane);
    const QRect list = pane.adjusted(8, 8, -8, -8);
    c.p.fillRect(list, c.colour(c.skin.ButtonFaceColor()).darker(108));
    const TDataSkinObject* header = c.skin.Headerbar();
    const QRect nameHead(list.left(), list.top(), 150, 20);
    const QRect rateHead(nameHead.right() + 1, list.top(), list.width() - 16 - 151, 20);
    drawElement(c.p, header, 1, nameHead);
    drawElement(c.p, header, 2, rateHead);
    if (header) {
        c.text(nameHead.adjusted(6, 0, 0, 0), QStringLiteral("Name"), header->NormalColour2);
        c.text(rateHead.adjusted(6, 0, 0, 0), QStringLiteral("Bitrate"), header->MouseOverColour2);
    }
    const char* rows[] = {"Jazz Lounge",  "Radio Nord",  "Classic FM",
                          "Synthwave 24", "Talk & News", "Folk Roots"};
    int y = list.top() + 22;
    for (int i = 0; i < 6 && y + 18 < list.bottom(); ++i, y += 19) {
        const QRect row(list.left() + 1, y, list.width() - 18, 19);
        TColor ink = c.skin.WindowTextColor();
        if (i == 1) {
            c.p.fillRect(row, c.colour(c.skin.HilightColor()));
            ink = c.skin.HilightTextColor();
        }
        c.text(row.adjusted(6, 0, 0, 0), QString::fromLatin1(rows[i]), ink);
        c.text(row.adjusted(156, 0, 0, 0), QStringLiteral("%1 kbit/s").arg(64 + 32 * i), ink);
    }
    // Vertical scroll bar: arrows, track, thumb with its grip.
    const QRect bar(list.right() - 15, list.top() + 20, 16, list.height() - 20);
    const TDataSkinObject* arrows = c.skin.Scrollbar();
    drawElement(c.p, c.skin.VertScroll(), 1, bar);
    drawElement(c.p, arrows, 9, QRect(bar.topLeft(), QSize(16, 16)));
    drawElement(c.p, arrows, 13, QRect(bar.left(), bar.bottom() - 15, 16, 16));
    const QRect thumb(bar.left(), bar.top() + 24, 16, 48);
    drawElement(c.p, c.skin.VertScrollThumb(), 1, thumb);
    if (arrows && arrows->HasImage())
        DrawGlyphCentred(c.p, arrows->Image, arrows->FrameRect(20), thumb);
}

void drawMenuBar(const SampleContext& c, const QRect& band) {
    c.p.drawImage(band.topLeft(), orvik::MenuBandImage(c.skin, band.size(), true));
    const QFontMetrics fm(c.font);
    const QStringList items{QStringLiteral("&File"), QStringLiteral("&View"),
                            QStringLiteral("F&avorites"), QStringLiteral("&Help")};
    QList<int> widths;
    for (const QString& item : items)
        widths.append(orvik::MenuBarItemWidth(fm.horizontalAdvance(QString(item).remove('&'))));
    const int start = orvik::MenuBarItemStart(c.skin.MenuBar(), band.width(), false);
    const QList<QRect> rects = orvik::MenuBarItemRects(widths, start, band.size(), false);
    for (int i = 0; i < items.size(); ++i) {
        orvik::TMenuBarItemLook look;
        look.caption = items[i];
        look.state = i == 1 ? orvik::TBarItemState::Hot : orvik::TBarItemState::Normal;
        orvik::PaintMenuBarItem(c.p, c.skin, rects[i].translated(band.topLeft()), look, c.font);
    }
}

void drawPopupMenu(const SampleContext& c, QPoint at) {
    const TDataSkinObject* back = c.skin.MenuBackground();
    const TDataSkinObject* item = c.skin.MenuItem();
    const struct {
        const char* caption;
        int kind; // 0 normal, 1 selected, 2 separator, 3 disabled
    } items[] = {{"Use Skins", 0}, {"Skins", 1}, {"-", 2}, {"Status Bar", 0}, {"Links", 3}};
    int height = 6;
    for (const auto& i : items)
        height += i.kind == 2 ? 8 : 20;
    const QRect menu(at, QSize(170, height));
    if (back && back->HasImage())
        drawElement(c.p, back, 1, menu);
    else
        c.p.fillRect(menu, c.colour(c.skin.MenuColor()));
    int y = menu.top() + 3;
    for (const auto& i : items) {
        const int h = i.kind == 2 ? 8 : 20;
        const QRect r(menu.left() + 3, y, menu.width() - 6, h);
        if (i.kind == 2 && item && item->HasImage()) {
            // The separator uses the bottom rows of frame 2.
            QRect frame = item->FrameRect(2);
            frame.setTop(frame.bottom() - h + 1);
            DrawNineSlice(c.p, item->Image, frame, r,
                          QMargins(item->LeftWidth, 0, item->RightWidth, 0), TCentreFill::Stretch,
                          true);
        } else if (i.kind != 2) {
            drawElement(c.p, item, i.kind == 1 ? 4 : 1, r);
            const TColor ink = i.kind == 1   ? c.skin.HilightTextColor()
                               : i.kind == 3 ? c.skin.ButtonShadowColor()
                                             : c.skin.MenuTextColor();
            c.text(r.adjusted((item ? item->LeftWidth : 2) + 20, 0, 0, 0),
                   QString::fromLatin1(i.caption), ink);
        }
        y += h;
    }
}

void drawControls(const SampleContext& c, const QRect& area) {
    drawPushButtons(c, area.topLeft());

    const QPoint checks = area.topLeft() + QPoint(0, 40);
    drawChecks(c, checks);

    // Combo box: after loading, ComboButton holds the whole box with its button on the right.
    const QRect combo(area.left() + 180, checks.y(), 220, 23);
    if (const TDataSkinBorder* box = c.skin.ComboButton())
        drawElement(c.p, box, 1, combo, true);
    c.text(combo.adjusted(6, 0, -24, 0), QStringLiteral("Radio Paradise"),
           c.skin.WindowTextColor());

    // Group box with a labelled volume slider.
    const QRect group(area.left() + 180, checks.y() + 34, 220, 58);
    drawElement(c.p, c.skin.GroupBoxEdge(), 1, group.adjusted(0, 8, 0, 0));
    const QRect label(group.left() + 10, group.top(), 70, 17);
    const TDataSkinBoxLabel* plate = c.skin.GroupBox();
    drawElement(c.p, plate, 1, label);
    c.text(label, QStringLiteral("Volume"), plate ? plate->NormalColour2 : c.skin.WindowTextColor(),
           Qt::AlignCenter);
    const QRect channel(group.left() + 12, group.top() + 36, group.width() - 24, 4);
    drawElement(c.p, c.skin.Track(), 1, channel);
    drawElement(c.p, c.skin.TrackbarThumbHorz(), 2,
                QRect(group.left() + 120, group.top() + 28, 11, 20));

    // Progress bar: the trough, then the bar over 60 %.
    const QRect progress(area.left(), checks.y() + 100, 400, 16);
    const TDataSkinBorder* pb = c.skin.Progress();
    drawElement(c.p, pb, 1, progress);
    drawElement(c.p, pb, 2, QRect(progress.topLeft(), QSize(progress.width() * 6 / 10, 16)));

    // Tool bar buttons: resting, hot, pressed, checked.
    const QRect toolRow(area.left(), progress.bottom() + 14, 400, 28);
    c.p.fillRect(toolRow, c.colour(c.skin.ButtonFaceColor()));
    if (const TDataSkinObject* back = c.skin.ToolbarBack())
        drawElement(c.p, back, 1, toolRow);
    const int toolFrames[] = {1, 4, 2, 5};
    for (int i = 0; i < 4; ++i) {
        const QRect r(toolRow.left() + 4 + i * 30, toolRow.top() + 2, 24, 24);
        drawElement(c.p, c.skin.ToolBars(), toolFrames[i], r);
        c.p.setPen(Qt::NoPen);
        c.p.setBrush(c.colour(c.skin.WindowTextColor()));
        c.p.drawEllipse(r.center() + QPoint(1, 1), 4, 4);
    }
}

} // namespace

QImage PreviewSampleWindow(const TSkinData& skin, const QFont& font, const QColor& background) {
    const QSize size(720, 400);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(background);
    QPainter p(&img);
    p.setFont(font);
    SampleContext c{skin, p, font};

    // The frame as a window gets it: laid out and painted by the frame painters, the desktop
    // (the sheet) showing through the see-through corners.
    orvik::TFrameState state;
    state.size = size;
    state.menuHeight = 20;
    const QString caption = QStringLiteral("Orvik - %1").arg(skin.SkinName());
    const orvik::TFrameLayout layout =
        orvik::LayoutFrame(skin, state, caption, skin.CaptionFont(), true);
    const QRect client = layout.Client();
    p.fillRect(client, c.colour(skin.ButtonFaceColor()));
    orvik::PaintFrame(p, skin, layout, skin.CaptionFont());
    const orvik::TBorderSizes& b = layout.borders;
    drawMenuBar(c, QRect(b.left, b.title, size.width() - b.left - b.right, state.menuHeight));

    // Status bar along the bottom of the client area, with its size grip.
    const QRect status(client.left(), client.bottom() - 21, client.width(), 22);
    const TDataSkinObject* edges = skin.StatusBarEdges();
    drawElement(p, edges, 1, QRect(status.left(), status.top(), 420, status.height()));
    drawElement(p, edges, 1,
                QRect(status.left() + 422, status.top(), status.width() - 422, status.height()));
    c.text(status.adjusted(6, 0, 0, 0), QStringLiteral("Playing: Radio Nord - 128 kbit/s"),
           edges ? edges->NormalColour2 : skin.WindowTextColor());
    if (const TDataSkinObject* extra = skin.ExtraImages())
        DrawGlyphCentred(p, extra->Image, extra->FrameRect(5),
                         QRect(status.right() - 13, status.bottom() - 13, 14, 14));

    const QRect body = client.adjusted(10, 10, -10, -32);
    drawListPanel(c, QRect(body.left(), body.top(), 270, body.height()));
    drawControls(c, QRect(body.left() + 290, body.top() + 6, body.width() - 290, body.height()));
    // A context menu opened over the empty corner of the window.
    drawPopupMenu(c, QPoint(b.left + 470, b.title + state.menuHeight + 210));
    p.end();
    return img;
}
