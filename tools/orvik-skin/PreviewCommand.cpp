// orvik-skin preview IN.skn OUT.png: a picture of a skin as the program loads it. The top shows
// a sample window put together from the skin's elements; below it every element follows with
// its frames drawn apart, labelled with the element's name, frame count and frame size, and
// magenta (the see-through colour) shown as a checkerboard.

#include "tools/orvik-skin/Command.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

using orvik::DrawGlyphCentred;
using orvik::DrawNineSlice;
using orvik::TCentreFill;
using orvik::ToQColor;

constexpr int SheetWidth = 1200;
const QColor SheetBackground(0xf4, 0xf4, 0xf2);
const QColor LabelColour(0x30, 0x30, 0x30);

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
    const TDataSkinObject* bar = c.skin.MenuBar();
    if (bar && bar->HasImage()) {
        const QRect frame = bar->FrameRect(1);
        DrawNineSlice(c.p, bar->Image, frame, band, bar->Margins(),
                      bar->Tile != 1 ? TCentreFill::Tile : TCentreFill::Stretch, false);
    } else {
        c.p.fillRect(band, c.colour(c.skin.MenubarColor()));
    }
    const QFontMetrics fm(c.font);
    int x = band.left() + (bar ? bar->LeftWidth : 2) + 4;
    const char* items[] = {"File", "View", "Favorites", "Help"};
    for (int i = 0; i < 4; ++i) {
        const int w = fm.horizontalAdvance(QString::fromLatin1(items[i])) + 10;
        const QRect r(x, band.top(), w, band.height() - 1);
        if (i == 1) {
            c.p.setPen(c.colour(c.skin.ButtonHilightColor()));
            c.p.drawRect(r.adjusted(0, 0, -1, -1));
        }
        c.text(r, QString::fromLatin1(items[i]), c.skin.MenuBarTextColor(), Qt::AlignCenter);
        x += w;
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

QImage sampleWindow(const TSkinData& skin, const QFont& font) {
    const QSize size(720, 400);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(SheetBackground);
    QPainter p(&img);
    p.setFont(font);
    SampleContext c{skin, p, font};

    const TDataSkinBorder *left = skin.Left(), *right = skin.Right(), *top = skin.Top(),
                          *bottom = skin.Bottom();
    const int l = left->FrameWidth(), r = right->FrameWidth(), t = top->FrameHeight(),
              b = bottom->FrameHeight();
    const int w = size.width(), h = size.height(), menuH = 20;

    p.fillRect(QRect(l, t, w - l - r, h - t - b), c.colour(skin.ButtonFaceColor()));
    drawElement(p, left, 1, QRect(0, 0, l, h));
    drawElement(p, right, 1, QRect(w - r, 0, r, h));
    drawElement(p, bottom, 1, QRect(l, h - b, w - l - r, b));
    drawElement(p, top, 1, QRect(l, 0, w - l - r, t));

    // Caption text on its plate, then the caption buttons.
    const TDataSkinTitle* title = skin.Title();
    QFont captionFont = font;
    captionFont.setBold(true);
    p.setFont(captionFont);
    const QString caption = QStringLiteral(" Orvik - %1  ").arg(skin.SkinName());
    const int textW = QFontMetrics(captionFont).horizontalAdvance(caption) + title->TxtBackLeft +
                      title->TxtBackRight;
    const QRect textRect(title->LeftWidth, title->TopHeight / 2, textW, t);
    if (title->HasImage() && title->TextBackground) {
        const QRect frame = title->FrameRect(1);
        DrawNineSlice(p, title->Image, frame, textRect,
                      QMargins(title->TxtBackLeft, 0, title->TxtBackRight, 0), TCentreFill::Tile,
                      true);
    }
    c.text(textRect.adjusted(title->TxtBackLeft, 0, -title->TxtBackRight, 0), caption,
           skin.TitleTextActiveColor());
    p.setFont(font);
    for (const TDataSkinSysButton* button : skin.SysButtons()) {
        if (!button->HasImage() || button->Visibility == 1 || button->Visibility >= 100)
            continue;
        const int bw = button->FrameWidth();
        const int x = button->Align == 1 ? w - button->Xcoord : button->Xcoord;
        drawElement(p, button, 1, QRect(x, button->Ycoord, bw, button->Image.height()), true);
    }

    drawMenuBar(c, QRect(l, t, w - l - r, menuH));
    const QRect client(l, t + menuH, w - l - r, h - t - menuH - b);

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
    drawPopupMenu(c, QPoint(l + 470, t + menuH + 210));
    p.end();
    return img;
}

// ------------------------------------------------------------------------------------------
// The contact sheet

struct ElementView {
    QString name;
    QImage image;
    int frames = 1;
    TCellLayout layout = TCellLayout::SideBySide;
};

QList<ElementView> elementsOf(const TSkinData& skin) {
    QList<ElementView> list;
    auto add = [&list](const QString& name, const TDataSkinObject* e) {
        if (e && e->HasImage())
            list.append({name, e->Image, e->FrameCount, e->Layout});
    };
    add(QStringLiteral("Left"), skin.Left());
    add(QStringLiteral("Right"), skin.Right());
    add(QStringLiteral("Top"), skin.Top());
    add(QStringLiteral("Bottom"), skin.Bottom());
    add(QStringLiteral("Title (text back)"), skin.Title());
    const TDataSkinButton* buttons = skin.Buttons();
    add(QStringLiteral("Buttons"), buttons);
    if (!buttons->CheckImage.isNull())
        list.append(
            {QStringLiteral("Buttons: check box"), buttons->CheckImage, buttons->CheckFrames});
    if (!buttons->RadioImage.isNull())
        list.append(
            {QStringLiteral("Buttons: radio button"), buttons->RadioImage, buttons->RadioFrames});
    for (const TDataSkinSysButton* b : skin.SysButtons()) {
        const QString name = b->Name.isEmpty() ? QStringLiteral("child button") : b->Name;
        add(QStringLiteral("%1 (action %2)").arg(name).arg(b->Action), b);
    }
    for (int i = 0; i < SkinPartCount; ++i) {
        const SkinPart part = SkinPart(i);
        const TDataSkinObject* e = skin.Element(part);
        const QString name = QString::fromLatin1(PartInfo(part).name);
        add(name, e);
        if (PartInfo(part).secondKey && e) {
            const auto* border = static_cast<const TDataSkinBorder*>(e);
            // The tab border is one picture; the others are cut like the element itself.
            if (!border->Image2.isNull())
                list.append({name + QStringLiteral(": second picture"), border->Image2,
                             part == SkinPart::Tabs ? 1 : e->FrameCount});
        }
    }
    return list;
}

// Magenta pixels replaced by a checkerboard; scaled up by an integer factor.
QImage showable(const QImage& source, int scale) {
    QImage img = source.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (orvik::IsSeeThrough(line[x]))
                line[x] = ((x / 2 + y / 2) % 2) ? qRgb(0xd0, 0xd0, 0xd0) : qRgb(0xf8, 0xf8, 0xf8);
    }
    return img.scaled(img.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

struct Block {
    QString label;
    QList<QImage> frames; // already scaled
    QSize size;
};

Block blockFor(const ElementView& e, const QFontMetrics& fm) {
    const int count = qMax(1, e.frames);
    const QRect first = FrameRect(e.image.size(), count, 1, e.layout);
    const bool usable = first.isValid() && first.width() > 0 && first.height() > 0;
    Block b;
    const int scale = usable && first.height() <= 48 && first.width() <= 64 ? 2 : 1;
    if (usable) {
        for (int k = 1; k <= count; ++k)
            b.frames.append(
                showable(e.image.copy(FrameRect(e.image.size(), count, k, e.layout)), scale));
        b.label = QStringLiteral("%1 - %2 frame%3, %4 x %5")
                      .arg(e.name)
                      .arg(e.frames)
                      .arg(e.frames == 1 ? QString() : QStringLiteral("s"))
                      .arg(first.width())
                      .arg(first.height());
    } else {
        // A picture the frame count does not divide: shown whole.
        b.frames.append(showable(e.image, 1));
        b.label = QStringLiteral("%1 - %2 frames, %3 x %4 whole")
                      .arg(e.name)
                      .arg(e.frames)
                      .arg(e.image.width())
                      .arg(e.image.height());
    }
    int w = 0, h = 0;
    for (const QImage& f : b.frames) {
        w += f.width() + 4;
        h = qMax(h, f.height());
    }
    b.size = QSize(qMax(w, fm.horizontalAdvance(b.label) + 4), h + fm.height() + 4);
    return b;
}

QImage contactSheet(const TSkinData& skin, const QString& file, const QFont& font) {
    const QFontMetrics fm(font);
    QList<Block> blocks;
    for (const ElementView& e : elementsOf(skin))
        blocks.append(blockFor(e, fm));

    // Flow the blocks into rows.
    const int gap = 18, margin = 16;
    const QImage window = sampleWindow(skin, font);
    int x = margin, y = margin + fm.height() + 12 + window.height() + 20, rowH = 0;
    QList<QPoint> places;
    for (const Block& b : blocks) {
        if (x > margin && x + b.size.width() > SheetWidth - margin) {
            x = margin;
            y += rowH + gap;
            rowH = 0;
        }
        places.append(QPoint(x, y));
        x += b.size.width() + gap;
        rowH = qMax(rowH, b.size.height());
    }
    QImage sheet(SheetWidth, y + rowH + margin, QImage::Format_RGB32);
    sheet.fill(SheetBackground);
    QPainter p(&sheet);
    p.setFont(font);
    p.setPen(LabelColour);
    QFont heading = font;
    heading.setBold(true);
    p.setFont(heading);
    p.drawText(
        QPoint(margin, margin + fm.ascent()),
        QStringLiteral("%1 (%2): %3 elements").arg(skin.SkinName(), file).arg(blocks.size()));
    p.setFont(font);
    p.drawImage(margin, margin + fm.height() + 12, window);
    for (int i = 0; i < blocks.size(); ++i) {
        const Block& b = blocks[i];
        QPoint at = places[i];
        p.setPen(LabelColour);
        p.drawText(at + QPoint(0, fm.ascent()), b.label);
        at.ry() += fm.height() + 4;
        for (const QImage& f : b.frames) {
            p.drawImage(at, f);
            at.rx() += f.width() + 4;
        }
    }
    p.end();
    return sheet;
}

int runPreview(const QStringList& args) {
    if (args.size() != 2)
        throw UsageError();
    TSkinData skin;
    QString problem;
    skin.SetErrorHook([&problem](const QString& text) { problem = text; });
    // Refusals of the reader are reported by the skin data; nothing is shown in a box here.
    const auto previousHook = TSkinReader::SetMessageHook({});
    skin.SetSkinFile(args[0]);
    TSkinReader::SetMessageHook(previousHook);
    if (skin.Loading())
        throw CommandError(problem.isEmpty() ? QStringLiteral("%1 cannot be loaded").arg(args[0])
                                             : problem);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    const QImage sheet = contactSheet(skin, QFileInfo(args[0]).fileName(), font);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!sheet.save(&buffer, "PNG"))
        throw CommandError(QStringLiteral("the picture cannot be encoded as PNG"));
    writeWholeFile(args[1], png);
    out() << "wrote " << sheet.width() << " x " << sheet.height() << " preview to " << args[1]
          << "\n";
    return 0;
}

const RegisterCommand reg{"preview", "preview IN.skn OUT.png",
                          "draw a sample window and every element of a skin into a PNG",
                          &runPreview, true};

} // namespace
