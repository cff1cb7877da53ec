#include "app/forms/Resume.h"

#include "ui_MainWindow.h"

#include "app/catalogue/StationTree.h"
#include "app/forms/MainWindow.h"
#include "app/forms/Playback.h"
#include "app/forms/SettingsFile.h"
#include "app/forms/TreeOrder.h"
#include "core/ErrorWrapper.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

const QString TResume::Section = QStringLiteral("Resume");

namespace {

const QString kStation = QStringLiteral("Station");
const QString kVolume = QStringLiteral("Volume");
const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");
const QString kPlayAtStart = QStringLiteral("PlayAtStart");

// A kept size outside these is none the program wrote.
constexpr int kLeastWidth = 200;
constexpr int kLeastHeight = 150;
constexpr int kMaxExtent = 16384;

// Some part of the window's top edge, where it is dragged from, lies on a screen.
bool onSomeScreen(const QRect& r) {
    const QRect top(r.left(), r.top(), r.width(), 24);
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect shared = screen->availableGeometry().intersected(top);
        if (shared.width() >= 40 && shared.height() >= 8)
            return true;
    }
    return false;
}

} // namespace

TResume::TResume(TfrmMain& form, TSettingsFile* settings)
    : QObject(&form), f_(form), settings_(settings),
      playAtStart_(new QAction(QStringLiteral("Resume playback at start"), this)) {
    setObjectName(QStringLiteral("Resume"));
    playAtStart_->setObjectName(QStringLiteral("actResumePlayback"));
    playAtStart_->setCheckable(true);
    auto& ui = f_.form();
    // Above Exit, in a group of its own.
    QMenu* file = ui.mnuFileMenu;
    file->insertAction(ui.mnuExit, playAtStart_);
    file->insertSeparator(ui.mnuExit);

    if (settings_) {
        station_ = settings_->ReadString(Section, kStation, QString()).toLongLong();
        playAtStart_->setChecked(settings_->ReadInteger(Section, kPlayAtStart, 0) == 1);
        kept_ = QRect(settings_->ReadInteger(Section, kLeft, 0),
                      settings_->ReadInteger(Section, kTop, 0),
                      settings_->ReadInteger(Section, kWidth, 0),
                      settings_->ReadInteger(Section, kHeight, 0));
    }
    connect(playAtStart_, &QAction::toggled, this, [this](bool on) {
        orvik::runGuarded([&] {
            write({{kPlayAtStart, on ? QStringLiteral("1") : QStringLiteral("0")}});
        });
    });
    connect(&f_.playback(), &TPlayback::stationPlayed, this,
            // Kept on the way: a settings file that cannot be written says so at the end.
            [this](qint64 id) { orvik::runSilently([&] { stationPlayed(id); }); });
}

void TResume::Restore() {
    auto& ui = f_.form();
    if (settings_) {
        QSlider* slider = ui.trbVolume;
        const int volume = settings_->ReadInteger(Section, kVolume, -1);
        if (volume >= slider->minimum() && volume <= slider->maximum())
            slider->setValue(volume);
    }
    // The players take the slider's volume now, not only at its next move.
    f_.playback().GiveVolumeToPlayers();

    TStationNode* node = station_ > 0 ? ui.tvStations->stations()->FindStation(station_) : nullptr;
    if (!node)
        return;
    ui.PageControl->setCurrentWidget(ui.tabStation);
    orvik::selectNode(ui.tvStations, node);
    ui.tvStations->scrollToItem(node);
    f_.tvStationsClick();
    if (playAtStart_->isChecked())
        QTimer::singleShot(0, this, [this] {
            orvik::runGuarded([this] {
                if (f_.CurrentStation())
                    f_.playback().actPlayExecute();
            });
        });
}

void TResume::PlaceWindow() {
    if (placed_)
        return;
    placed_ = true;
    if (kept_.width() < kLeastWidth || kept_.height() < kLeastHeight ||
        kept_.width() > kMaxExtent || kept_.height() > kMaxExtent)
        return;
    QRect place = kept_;
    if (!onSomeScreen(place))
        place.moveTopLeft(f_.geometry().topLeft()); // the size alone, where the window is
    f_.setGeometry(place);
}

void TResume::stationPlayed(qint64 id) {
    if (id <= 0 || id == station_)
        return;
    station_ = id;
    write({{kStation, QString::number(id)}});
}

void TResume::Save() {
    const QRect r = f_.isMaximized() || f_.isFullScreen() || f_.isMinimized() ? f_.normalGeometry()
                                                                              : f_.geometry();
    QList<std::pair<QString, QString>> values{
        {kVolume, QString::number(f_.form().trbVolume->value())},
        {kPlayAtStart, playAtStart_->isChecked() ? QStringLiteral("1") : QStringLiteral("0")},
    };
    if (station_ > 0)
        values.append({kStation, QString::number(station_)});
    if (placed_ && r.isValid()) {
        values.append({kLeft, QString::number(r.left())});
        values.append({kTop, QString::number(r.top())});
        values.append({kWidth, QString::number(r.width())});
        values.append({kHeight, QString::number(r.height())});
    }
    write(values);
}

void TResume::write(const QList<std::pair<QString, QString>>& values) {
    if (settings_)
        settings_->WriteStrings(Section, values);
}
