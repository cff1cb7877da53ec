#include "app/forms/Splash.h"

#include "app/forms/Artwork.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

TfmSplash::TfmSplash(QWidget* owner)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("fmSplash"));
    setFixedSize(496, 358);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(rect());
    Image1->setPixmap(orvik::splashPicture());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
