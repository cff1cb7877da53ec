#include "app/bus/MprisRoot.h"

#include "app/bus/MediaControl.h"
#include "app/bus/MprisService.h"

#include <QTimer>

namespace orvik {

TMprisRoot::TMprisRoot(TMprisService* service)
    : QDBusAbstractAdaptor(service), service_(*service) {}

// The commands run after the reply has gone, so that a box they open or the end of the
// program never keeps the caller waiting.
void TMprisRoot::Raise() {
    QTimer::singleShot(0, &service_, [s = &service_] { s->control().raise(); });
}

void TMprisRoot::Quit() {
    QTimer::singleShot(0, &service_, [s = &service_] { s->control().quit(); });
}

} // namespace orvik
