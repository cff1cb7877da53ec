#include "app/catalogue/LoadStationsWindow.h"

#include "ui_LoadStationsWindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace {
constexpr qint64 paintInterval = 50; // ms of work between two paints of the count
}

TfrmLoadStations::TfrmLoadStations(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ui(std::make_unique<Ui::TfrmLoadStations>()) {
    ui->setupUi(this);
    QFont small = font();
    small.setFamilies({QStringLiteral("MS Sans Serif"), small.family()});
    small.setPixelSize(11);
    setFont(small);
    setFixedSize(179, 35);

    QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->geometry().center() - rect().center());
}

TfrmLoadStations::~TfrmLoadStations() = default;

TCaptionPanel* TfrmLoadStations::pnlCat() const {
    return ui->pnlCat;
}

void TfrmLoadStations::ShowNow() {
    show();
    Paint();
}

void TfrmLoadStations::SetCount(int count) {
    ui->pnlCat->setCaption(QStringLiteral("Loading Stations...(") + QString::number(count) + u')');
    if (sincePaint_.hasExpired(paintInterval))
        Paint();
}

void TfrmLoadStations::Paint() {
    ui->pnlCat->repaint();
    // Only what is already waiting, and no user input: the tree is half built while we count,
    // and no command may act on it (or start another load) until the load is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sincePaint_.start();
}
