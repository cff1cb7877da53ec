#pragma once

#include <QObject>
#include <QUrl>

#include <functional>

class TfrmMain;
class TStopReason;

// The play, stop, volume, status-line, channel-stepping and view commands of the main window.
class TPlayback : public QObject {
    Q_OBJECT
public:
    explicit TPlayback(TfrmMain& form);

    // Opens an address in the desktop's browser; tests replace it.
    std::function<bool(const QUrl&)> openUrl;
    // Draws a whole number from 0 to n - 1 for Random Channel, once per click. The standard one
    // is a generator seeded from the clock for that click; tests replace it.
    std::function<int(int n)> randomIndex;
    // The standard draw: a generator seeded from the clock, one number from 0 to n - 1.
    static int ClockSeededIndex(int n);

    void actPlayExecute();
    void actPlayUpdate();
    void actStopExecute();
    void actStopUpdate();
    // Stop while a station plays or is on its way, else Play.
    void PlayOrStop();
    void trbVolumeChange();
    // Both players take the slider's volume (at start, before either has played).
    void GiveVolumeToPlayers();
    void MediaPlayerPlayStateChange(int NewState);
    void RealPlayerPlayStateChange(int lNewState);
    void Button1Click(); // next channel
    void Button2Click(); // previous channel
    void Button3Click(); // random channel

    void FormResize();
    void actViewStationsUpdate();
    void actViewStationsExecute();
    void actViewStationInformationUpdate();
    void actViewStationInformationExecute();
    void cmdHideStationInfoClick();
    void mnuLinksClick();
    // Opens the page on reporting a problem, filled with the versions in use; a box says so
    // when it cannot be opened.
    void ReportAProblem();
    // The program's version and those of Qt, libmpv and SQLite, one a line.
    QString VersionsText() const;
    // The page on reporting a problem with the versions filled in, written to a private
    // folder; its path, or empty when it could not be made.
    QString WriteReportPage() const;
    // Why the last stream did not play (beside Play and Stop), empty when it did.
    QString stopReason() const;

signals:
    // A station of the catalogue was started (its id), whichever command started it.
    void stationPlayed(qint64 stationId);

private:
    void setStatus(const QString& text);
    // Stops the player that mode does not use, when it plays or is on its way.
    void stopOtherPlayer(int mode);
    void showLeftWhenNeeded();
    void playSelected();
    bool stepFavorites(int step);

    // The media player (mode 0) or the RealMedia player (1) stopped: says why, when it failed.
    void showStopReason(int mode);
    // The RealMedia player covers the picture area below the status panel, as the media
    // player does, in front of everything else there.
    void placeRealPlayer();

    TfrmMain& f_;
    TStopReason* reason_;
};
