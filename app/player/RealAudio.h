#pragma once

#include "app/player/PlayerWidget.h"

#include <QString>

namespace orvik {

// The player the program uses for RealMedia addresses. Reports the play-state numbers the
// program acts on: 3 while contacting or buffering, 4 while playing, 0 when stopped. A stream
// that starts reports 3 then 4; stop reports 0.
class TRealAudio : public TPlayerWidget {
    Q_OBJECT
public:
    enum PlayState { rsStopped = 0, rsLoading = 3, rsPlaying = 4 };

    // Throws orvik::Error when the player cannot be created.
    explicit TRealAudio(QWidget* parent = nullptr);

    void SetSource(const QString& source);
    QString Source() const { return source_; }

    void DoPlay();
    void DoStop();
    // True while stopping makes sense: contacting, buffering or playing.
    bool CanStop() const;

    // 0 to 100, clamped.
    void SetVolume(int volume);
    int GetVolume() const { return core().volume(); }

    // Display options. This player draws nothing but the picture on its background colour,
    // so the console name, the control set and the label switch only record what was asked;
    // "ImageWindow" is the picture area.
    void SetConsole(const QString& console) { console_ = console; }
    QString Console() const { return console_; }
    void SetControls(const QString& controls) { controls_ = controls; }
    QString Controls() const { return controls_; }
    void SetNoLabels(bool on) { noLabels_ = on; }
    bool NoLabels() const { return noLabels_; }
    // On: the picture keeps its proportions when fitted to the control.
    void SetMaintainAspect(bool on);
    bool MaintainAspect() const { return maintainAspect_; }
    // On: the picture is shown at its own size, centred, rather than scaled.
    void SetCenter(bool on);
    bool Center() const { return center_; }
    // A colour name ("black") or "#rrggbb".
    void SetBackgroundColor(const QString& color);

    // Seconds after which a connection that gets no answer is given up.
    void SetNetworkTimeout(double seconds) { core().setNetworkTimeout(seconds); }

signals:
    void PlayStateChange(int lNewState);

private:
    void onCoreState(TPlayerCore::State state);
    void report(int state);

    QString source_;
    QString console_;
    QString controls_;
    bool noLabels_ = false;
    bool maintainAspect_ = true;
    bool center_ = false;
    int playState_ = rsStopped;
};

} // namespace orvik
