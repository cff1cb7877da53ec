#pragma once

#include "app/player/PlayerWidget.h"

#include <QRect>
#include <QString>

namespace orvik {

// The player the program uses for every stream that is not RealMedia. Reports the play-state
// numbers of the player it stands in for:
//   0 undefined (nothing happened yet), 1 stopped, 2 paused, 3 playing, 6 buffering,
//   8 media ended, 10 ready (an address set while autoStart is off).
// A stream that starts reports 6 then 3; stop reports 1.
class TWindowsMediaPlayer : public TPlayerWidget {
    Q_OBJECT
public:
    enum PlayState {
        psUndefined = 0,
        psStopped = 1,
        psPaused = 2,
        psPlaying = 3,
        psScanForward = 4,
        psScanReverse = 5,
        psBuffering = 6,
        psWaiting = 7,
        psMediaEnded = 8,
        psTransitioning = 9,
        psReady = 10,
        psReconnecting = 11
    };

    // Throws orvik::Error when the player cannot be created.
    explicit TWindowsMediaPlayer(QWidget* parent = nullptr);

    // Setting the address opens it at once while autoStart is on.
    void setURL(const QString& url);
    QString URL() const { return url_; }

    void controlsPlay();
    void controlsPause();
    void controlsStop();
    int playState() const { return playState_; }

    // The settings: volume 0 to 100 (clamped), autoStart.
    void setVolume(int volume);
    int volume() const { return core().volume(); }
    void setAutoStart(bool on) { autoStart_ = on; }
    bool autoStart() const { return autoStart_; }

    // Display options. "invisible" hides the picture; every mode shows no controls of its own.
    void setUiMode(const QString& mode);
    QString uiMode() const { return uiMode_; }
    // Whether a right click may bring up a context menu (the owner's); off swallows it.
    void setEnableContextMenu(bool on);
    bool enableContextMenu() const { return enableContextMenu_; }
    // On: the picture is scaled to the control; off: shown at its own size unless too big.
    void setStretchToFit(bool on);
    bool stretchToFit() const { return stretchToFit_; }

    // Places the picture at pos (in the parent's coordinates) and shows only the part inside
    // clip, as when the window around it is resized.
    void SetObjectRects(const QRect& pos, const QRect& clip);

    // Seconds after which a connection that gets no answer is given up.
    void setNetworkTimeout(double seconds) { core().setNetworkTimeout(seconds); }

signals:
    void PlayStateChange(int NewState);

protected:
    bool showsPicture() const override {
        return uiMode_.compare(u"invisible", Qt::CaseInsensitive) != 0;
    }

private:
    void onCoreState(TPlayerCore::State state);
    // The picture's surface, made on the first start, shown as uiMode says.
    void startPicture();
    void report(int state);

    QString url_;
    bool autoStart_ = true;
    QString uiMode_ = QStringLiteral("full");
    bool enableContextMenu_ = true;
    bool stretchToFit_ = false;
    int playState_ = psUndefined;
};

} // namespace orvik
