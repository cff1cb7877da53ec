#include "skin/draw/SkinMessages.h"

#include <QCoreApplication>

namespace orvik {

static_assert(SKM_RESKIN >= QEvent::User && SKM_ISSKINNED <= QEvent::MaxUser,
              "the skin engine's messages lie in the user range");

qintptr SendSkinMessage(QObject* receiver, QEvent::Type type, qintptr wParam, qintptr lParam) {
    if (!receiver)
        return 0;
    TSkinMessage message(type, wParam, lParam);
    QCoreApplication::sendEvent(receiver, &message);
    return message.result;
}

void PostSkinMessage(QObject* receiver, QEvent::Type type, qintptr wParam, qintptr lParam) {
    if (receiver)
        QCoreApplication::postEvent(receiver, new TSkinMessage(type, wParam, lParam));
}

} // namespace orvik
