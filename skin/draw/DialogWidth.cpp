#include "skin/draw/DialogWidth.h"

#include "skin/data/SkinData.h"
#include "skin/draw/FrameGeometry.h"

#include <QFontMetrics>
#include <QLayout>
#include <QWidget>

#include <algorithm>

namespace orvik {

TDialogWidening WidenForCaption(int windowWidth, int textWidth, int titleLeft, int titleRight) {
    windowWidth = std::max(0, windowWidth);
    const int needed = std::max(0, titleLeft) + std::max(0, textWidth) + std::max(0, titleRight);
    if (needed <= windowWidth)
        return {windowWidth, 0};
    return {needed, (needed - windowWidth) / 2};
}

TDialogWidening WidenDialogForCaption(QWidget& dialog, const TSkinData& skin, const QFont& font,
                                      int frameWidth) {
    const TDataSkinTitle* title = skin.Title();
    // Measured as the title bar lays the caption out: spaced, with its background's two ends,
    // and a centred caption kept clear of the wider of the title's two margins on both sides.
    int textWidth = QFontMetrics(font).horizontalAdvance(SpacedCaption(dialog.windowTitle()));
    int left = 0, right = 0;
    if (title) {
        textWidth += std::max(0, title->TxtBackLeft) + std::max(0, title->TxtBackRight);
        left = title->LeftWidth;
        right = title->RightWidth;
        if (title->TextAlignment == 1)
            left = right = std::max(left, right);
    }
    const int windowWidth = dialog.width() + std::max(0, frameWidth);
    const TDialogWidening widening = WidenForCaption(windowWidth, textWidth, left, right);
    if (widening.shift == 0 && widening.width == windowWidth)
        return widening;
    const int clientWidth = widening.width - std::max(0, frameWidth);
    if (QLayout* layout = dialog.layout()) {
        QMargins m = layout->contentsMargins();
        m.setLeft(m.left() + widening.shift);
        m.setRight(m.right() + widening.shift);
        layout->setContentsMargins(m);
    } else {
        for (QWidget* child : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!child->isWindow())
                child->move(child->x() + widening.shift, child->y());
    }
    // A dialog of fixed size (a message box fixes its own) is let grow to the new width.
    if (dialog.maximumWidth() < clientWidth)
        dialog.setMaximumWidth(clientWidth);
    dialog.setMinimumWidth(clientWidth);
    dialog.resize(clientWidth, dialog.height());
    return widening;
}

} // namespace orvik
