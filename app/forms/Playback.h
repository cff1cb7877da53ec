#pragma once

#include <QObject>
#include <QUrl>

#include <functional>

class TfrmMain;

// The play, stop, volume, status-line, channel-stepping and view commands of the main window.
class TPlayback : public QObject {
    Q_OBJECT
public:
    explicit TPlayback(TfrmMain& form);

    // The product web site opened by "Report a problem".
    static const QUrl ProductSite;
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
    void trbVolumeChange();
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
    void ReportAProblem();

private:
    void setStatus(const QString& text);
    // Stops the player that mode does not use, when it plays or is on its way.
    void stopOtherPlayer(int mode);
    void showLeftWhenNeeded();
    void playSelected();
    bool stepFavorites(int step);

    TfrmMain& f_;
};
