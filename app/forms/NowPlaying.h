#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class TfrmMain;
namespace orvik {
class TPlayerCore;
class TReconnector;
} // namespace orvik

// What plays now: the station a stream was started for, the stream's own title (in the
// status line, the tray icon's tip and the station information panel), and starting a stream
// again after it dropped.
class TNowPlaying : public QObject {
    Q_OBJECT
public:
    explicit TNowPlaying(TfrmMain& form);
    // Follows the players' titles and drops; once they are made.
    void watchPlayers();

    // A stream was started for this station on the player of mode (0 media, 1 RealMedia).
    void started(int mode, const QString& name, const QString& url);
    // The user stopped, picked another station or selected something else: no more attempts.
    void cancelReconnect();
    // After the status rules ran for a player event: a title or a wait for the next attempt
    // takes the status line.
    void afterState(int mode, bool playing, bool stopped);

    const QString& title() const { return title_; }
    // The station started last and its address (empty before the first, or for a web page).
    const QString& stationName() const { return name_; }
    const QString& stationUrl() const { return url_; }
    // Whether the player of the station started last plays now.
    bool playing() const { return playerPlaying(); }
    orvik::TReconnector& reconnector() { return *reconnect_; }
    // "name - title" while the stream says what it plays, else empty.
    QString playingText() const;

signals:
    // A new title, or the player of the station started last began or stopped playing.
    void changed();

private:
    void watch(orvik::TPlayerCore* core, int mode);
    void onTitle(int mode, const QString& title);
    void onDropped(int mode);
    void retry();
    void showCountdown(int secondsLeft);
    void showTitle();
    bool playerPlaying() const;

    TfrmMain& f_;
    orvik::TReconnector* reconnect_;
    QLabel* lblNowPlayingCaption_ = nullptr;
    QLabel* lblNowPlaying_ = nullptr;
    int mode_ = -1;
    QString name_;
    QString url_;
    QString title_;
};
