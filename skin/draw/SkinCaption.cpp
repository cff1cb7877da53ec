#include "skin/draw/SkinCaption.h"

#include "skin/draw/SkinManage.h"

namespace {
bool captionActive = false;
} // namespace

TSkinCaption::TSkinCaption(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("SkinCaption"));
}

bool TSkinCaption::IsActive() {
    return captionActive;
}

void TSkinCaption::SetActive(bool value) {
    if (captionActive == value)
        return;
    captionActive = value;
    for (TWinSkinForm* form : TSkinManage::Program().Forms())
        form->RepaintFrame();
}
