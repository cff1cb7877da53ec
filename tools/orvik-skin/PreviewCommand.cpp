// orvik-skin preview IN.skn OUT.png: a picture of a skin as the program loads it. The top shows
// a sample window put together from the skin's elements; below it every element follows with
// its frames drawn apart, labelled with the element's name, frame count and frame size, and
// magenta (the see-through colour) shown as a checkerboard.

#include "tools/orvik-skin/Command.h"
#include "tools/orvik-skin/PreviewWindow.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

using orvik::FrameRect;

constexpr int SheetWidth = 1200;
const QColor SheetBackground(0xf4, 0xf4, 0xf2);
const QColor LabelColour(0x30, 0x30, 0x30);

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
    const QImage window = PreviewSampleWindow(skin, font, SheetBackground);
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
