#include "tests/skins/FrameChecks.h"

#include "tests/skins/SkinPixels.h"

#include "skin/data/NineSlice.h"

#include <algorithm>

namespace skintest {

namespace {

bool isMagenta(const QImage& image, int x, int y) {
    return orvik::IsSeeThrough(image.pixel(x, y));
}

void checkPart(const TDataSkinBorder& part, bool sideways, QStringList& problems) {
    for (int k = 1; k <= part.FrameCount; ++k) {
        const QRect f = part.FrameRect(k);
        // The unstretched ends: rows for the side parts, columns for the top and bottom.
        const int first = sideways ? part.TopHeight : part.LeftWidth;
        const int last = sideways ? part.BottomHeight : part.RightWidth;
        for (int y = 0; y < f.height(); ++y) {
            for (int x = 0; x < f.width(); ++x) {
                if (!isMagenta(part.Image, f.left() + x, f.top() + y))
                    continue;
                const int along = sideways ? y : x, length = sideways ? f.height() : f.width();
                if (part.Trans != 1) {
                    problems << QStringLiteral("%1 frame %2: magenta at %3,%4 without the "
                                               "transparency flag")
                                    .arg(part.Name)
                                    .arg(k)
                                    .arg(x)
                                    .arg(y);
                    return;
                }
                if (along >= first && along < length - last) {
                    problems << QStringLiteral("%1 frame %2: see-through at %3,%4, where the part "
                                               "is stretched")
                                    .arg(part.Name)
                                    .arg(k)
                                    .arg(x)
                                    .arg(y);
                    return;
                }
            }
        }
    }
}

bool shown(const TDataSkinSysButton& b, bool maximised) {
    switch (b.Visibility) {
    case 0:
        return true;
    case 1:
        return maximised;
    case 2:
        return !maximised;
    default:
        return false; // the child-window buttons and codes a plain window never shows
    }
}

} // namespace

QStringList cornerProblems(const TSkinData& skin) {
    QStringList problems;
    const TDataSkinBorder &left = *skin.Left(), &right = *skin.Right(), &top = *skin.Top(),
                          &bottom = *skin.Bottom();
    checkPart(left, true, problems);
    checkPart(right, true, problems);
    checkPart(top, false, problems);
    checkPart(bottom, false, problems);

    // Round top corners go with a see-through top part, round bottom ones with a see-through
    // bottom part; the outermost pixel of the side parts shows which corners are round.
    const bool roundTop = top.Trans == 1, roundBottom = bottom.Trans == 1;
    for (int k = 1; k <= 2; ++k) {
        const QRect lf = left.FrameRect(k), rf = right.FrameRect(k);
        const struct {
            const char* what;
            bool cut, round;
        } corners[] = {
            {"top left", isMagenta(left.Image, lf.left(), lf.top()), roundTop},
            {"top right", isMagenta(right.Image, rf.right(), rf.top()), roundTop},
            {"bottom left", isMagenta(left.Image, lf.left(), lf.bottom()), roundBottom},
            {"bottom right", isMagenta(right.Image, rf.right(), rf.bottom()), roundBottom},
        };
        for (const auto& c : corners)
            if (c.cut != c.round)
                problems << QStringLiteral("frame %1: the %2 corner is %3")
                                .arg(k)
                                .arg(QLatin1String(c.what))
                                .arg(c.cut ? QStringLiteral("cut out but the part is not "
                                                            "see-through")
                                           : QStringLiteral("not cut out"));
        // The middle of the title bar and of the bottom border is solid all the way.
        const QRect tf = top.FrameRect(k), bf = bottom.FrameRect(k);
        for (int y = tf.top(); y <= tf.bottom(); ++y)
            if (isMagenta(top.Image, tf.center().x(), y))
                problems << QStringLiteral("frame %1: the title bar is see-through").arg(k);
        for (int y = bf.top(); y <= bf.bottom(); ++y)
            if (isMagenta(bottom.Image, bf.center().x(), y))
                problems << QStringLiteral("frame %1: the bottom border is see-through").arg(k);
    }
    return problems;
}

CaptionPlaces placeCaption(const TSkinData& skin, int windowWidth, int textWidth, bool maximised) {
    const TDataSkinTitle& title = *skin.Title();
    CaptionPlaces places;
    const TDataSkinBorder& top = *skin.Top();
    places.titleHeight = top.FrameHeight();

    // The caption text grows by the plate's ends; it is placed by the alignment and cut
    // where the room kept for the buttons at the right begins.
    const int width = textWidth + title.TxtBackLeft + title.TxtBackRight;
    int left = title.LeftWidth;
    if (title.TextAlignment == 1)
        left = (windowWidth - width) / 2;
    else if (title.TextAlignment == 2)
        left = windowWidth - title.RightWidth - width;
    const int right = std::min(left + width, windowWidth - title.RightWidth);
    places.text = QRect(QPoint(left, 0), QPoint(right - 1, places.titleHeight - 1));

    for (const TDataSkinSysButton* b : skin.SysButtons()) {
        if (!b->HasImage() || !shown(*b, maximised))
            continue;
        const int w = b->FrameWidth();
        int x = b->Xcoord;
        switch (b->Align) {
        case 1:
            x = windowWidth - b->Xcoord;
            break;
        case 2:
        case 8:
            x = places.text.left() - w - b->Xcoord;
            break;
        case 3:
        case 9:
            x = places.text.right() + 1 + b->Xcoord;
            break;
        default:
            break;
        }
        places.buttons.append({b, QRect(x, b->Ycoord, w, b->Image.height())});
    }
    return places;
}

QStringList captionProblems(const TSkinData& skin) {
    QStringList problems;
    const TDataSkinTitle& title = *skin.Title();
    const int leftBorder = skin.Left()->FrameWidth(), rightBorder = skin.Right()->FrameWidth();
    for (const TDataSkinSysButton* b : skin.SysButtons())
        if (b->Visibility < 100 && !QList<int>{0, 1, 2, 3, 8, 9}.contains(b->Align))
            problems << QStringLiteral("%1: unknown Align %2").arg(b->Name).arg(b->Align);

    for (int windowWidth : {420, 800, 1280}) {
        // The longest caption that fits between the room the skin keeps for its buttons.
        const int longest = windowWidth - title.LeftWidth - title.RightWidth - title.TxtBackLeft -
                            title.TxtBackRight;
        if (longest < 160) {
            problems << QStringLiteral("width %1: room for a caption of %2 pixels only")
                            .arg(windowWidth)
                            .arg(longest);
            continue;
        }
        for (bool maximised : {false, true}) {
            for (int textWidth : {24, 160, longest}) {
                const CaptionPlaces places = placeCaption(skin, windowWidth, textWidth, maximised);
                const QString where =
                    QStringLiteral("width %1, caption %2%3: ")
                        .arg(windowWidth)
                        .arg(textWidth)
                        .arg(maximised ? QStringLiteral(", maximised") : QString());
                const QRect bar(leftBorder, 0, windowWidth - leftBorder - rightBorder,
                                places.titleHeight);
                for (int i = 0; i < places.buttons.size(); ++i) {
                    const auto& [b, r] = places.buttons[i];
                    if (!bar.contains(r))
                        problems << where + QStringLiteral("%1 leaves the title bar").arg(b->Name);
                    if (r.intersects(places.text))
                        problems << where + QStringLiteral("%1 covers the caption").arg(b->Name);
                    for (int j = 0; j < i; ++j)
                        if (r.intersects(places.buttons[j].second))
                            problems << where + QStringLiteral("%1 covers %2")
                                                    .arg(b->Name, places.buttons[j].first->Name);
                }
            }
        }
    }
    return problems;
}

} // namespace skintest
