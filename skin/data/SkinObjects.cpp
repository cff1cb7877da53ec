#include "skin/data/SkinObjects.h"

void TDataSkinObject::SetMargins(const QMargins& m) {
    LeftWidth = m.left();
    TopHeight = m.top();
    RightWidth = m.right();
    BottomHeight = m.bottom();
}

int TDataSkinObject::FrameWidth() const {
    if (FrameCount <= 0 || Image.isNull())
        return 0;
    return Image.width() / FrameCount;
}

QRect TDataSkinObject::FrameRect(int k) const {
    const int w = FrameWidth();
    if (w <= 0 || k < 1 || k > FrameCount)
        return {};
    return QRect((k - 1) * w, 0, w, Image.height());
}
