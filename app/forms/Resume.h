#pragma once

#include <QObject>
#include <QRect>

class QAction;
class TSettingsFile;
class TfrmMain;

// What the next start takes up again, in settings.ini's section "Resume": the last station
// played ("Station", its id), the volume slider's position ("Volume"), the window's place and
// size ("Left", "Top", "Width", "Height") and the File menu's "Resume playback at start"
// ("PlayAtStart", "1" or "0", off unless set).
//
// At start the station is selected, and played only with "Resume playback at start" on. A
// value that cannot be right (no such station, a volume past the slider's range, a window
// too small, too large or on no screen) is passed over and the usual default stands. The
// section is written as one change of the file (which replaces the whole file at once): when
// a station starts, when the check item changes and at the end.
class TResume : public QObject {
    Q_OBJECT
public:
    static const QString Section;

    TResume(TfrmMain& form, TSettingsFile* settings);

    QAction* playAtStartAction() const { return playAtStart_; }

    // After the catalogue and the players are ready: the station and the volume, and the
    // station played when the check item says so (once the event loop runs).
    void Restore();
    // At the window's first showing, after its default place: the kept place and size.
    void PlaceWindow();
    // The end: everything written, the settings file let go by its owner afterwards.
    void Save();

private:
    void stationPlayed(qint64 id);
    void write(const QList<std::pair<QString, QString>>& values);

    TfrmMain& f_;
    TSettingsFile* settings_;
    QAction* playAtStart_;
    qint64 station_ = 0;
    QRect kept_;
    bool placed_ = false;
};
