#include "skin/draw/MenuSkin.h"

#include "skin/data/SkinData.h"
#include "skin/draw/MenuBarPaint.h"
#include "skin/draw/PopupMenuPaint.h"

namespace {

quint64 keyOf(const TDataSkinObject* e) {
    return e ? quint64(e->Image.cacheKey()) : 0;
}

// One number for a set of values; equal values give equal numbers.
quint64 mix(std::initializer_list<quint64> values) {
    quint64 h = 1469598103934665603ull;
    for (quint64 v : values)
        h = (h ^ v) * 1099511628211ull + (h >> 29);
    return h;
}

} // namespace

TMenuSkin::TMenuSkin(QObject* menu) : QObject(menu) {
    setObjectName(QStringLiteral("MenuSkin"));
}

TMenuSkin* TMenuSkin::Of(const QObject* menu) {
    return menu ? menu->findChild<TMenuSkin*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

TMenuSkin* TMenuSkin::Ensure(QObject* menu) {
    if (TMenuSkin* s = Of(menu))
        return s;
    return menu ? new TMenuSkin(menu) : nullptr;
}

TSkinData* TMenuSkin::Skin() const {
    TSkinData* s = skin_.data();
    return s && !s->Loading() ? s : nullptr;
}

void TMenuSkin::SetSkin(TSkinData* skin) {
    skin_ = skin;
}

quint64 TMenuSkin::LayoutKey() const {
    const TSkinData* s = Skin();
    if (!s)
        return 0;
    return mix({quint64(quintptr(s)), keyOf(s->MenuBar()), keyOf(s->MenuItem()),
                keyOf(s->MenuBackground()), barDropDown_ ? 1u : 2u});
}

const QImage& TMenuSkin::Band(const QSize& size, bool active) {
    const TSkinData* s = Skin();
    const quint64 key = mix({LayoutKey(), quint64(size.width()), quint64(size.height()),
                             active ? 1u : 2u, s ? quint64(s->MenubarColor()) : 0});
    if (key != pictureKey_ || picture_.isNull()) {
        picture_ = s ? orvik::MenuBandImage(*s, size, active) : QImage();
        pictureKey_ = key;
    }
    return picture_;
}

const QImage& TMenuSkin::Background(const QSize& size) {
    const TSkinData* s = Skin();
    const quint64 key = mix({LayoutKey(), quint64(size.width()), quint64(size.height()),
                             s ? quint64(s->MenuColor()) : 0, 7});
    if (key != pictureKey_) {
        picture_ = s ? orvik::PopupBackground(*s, size) : QImage();
        pictureKey_ = key;
    }
    return picture_;
}
