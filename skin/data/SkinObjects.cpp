#include "skin/data/SkinObjects.h"

void TDataSkinObject::SetMargins(const QMargins& m) {
    LeftWidth = m.left();
    TopHeight = m.top();
    RightWidth = m.right();
    BottomHeight = m.bottom();
}

QSize TDataSkinObject::FrameSize() const {
    if (FrameCount <= 0 || Image.isNull())
        return {0, 0};
    return Stacked() ? QSize(Image.width(), Image.height() / FrameCount)
                     : QSize(Image.width() / FrameCount, Image.height());
}

namespace orvik {

QRect FrameRect(const QSize& picture, int count, int k, TCellLayout layout) {
    if (count <= 0 || k < 1 || k > count || picture.isEmpty())
        return {};
    if (layout == TCellLayout::Stacked) {
        const int h = picture.height() / count;
        return h > 0 ? QRect(0, (k - 1) * h, picture.width(), h) : QRect();
    }
    const int w = picture.width() / count;
    return w > 0 ? QRect((k - 1) * w, 0, w, picture.height()) : QRect();
}

} // namespace orvik
