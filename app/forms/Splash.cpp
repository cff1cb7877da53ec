#include "app/forms/Splash.h"

#include "app/forms/Artwork.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TfmSplash::TfmSplash(QWidget* owner) : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("fmSplash"));
    setFixedSize(496, 358);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect());
    Image1->setPixmap(orvik::splashPicture());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    qApp->installEventFilter(this);
}

bool TfmSplash::eventFilter(QObject* watched, QEvent* e) {
    const QEvent::Type type = e->type();
    if (type != QEvent::Show && type != QEvent::Hide)
        return false;
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window || window == this || !window->isWindow() || !window->isModal())
        return false;
    boxes_.removeAll(nullptr);
    if (type == QEvent::Show) {
        if (!boxes_.contains(window))
            boxes_.append(window);
        if (isVisible()) {
            steppedAside_ = true;
            hide();
        }
    } else {
        boxes_.removeAll(window);
        if (boxes_.isEmpty() && steppedAside_) {
            steppedAside_ = false;
            show();
        }
    }
    return false;
}
