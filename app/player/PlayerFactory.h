#pragma once

#include <QWidget>

#include <functional>

namespace orvik {

class TRealAudio;
class TWindowsMediaPlayer;

// How the main window creates its two players. Both functions return a player parented to
// owner, or throw orvik::Error when it cannot be created. Tests put makers of their own in
// place (for instance ones that throw) and take them away again with an empty function.
class PlayerFactory {
public:
    using RealAudioMaker = std::function<TRealAudio*(QWidget* owner)>;
    using MediaPlayerMaker = std::function<TWindowsMediaPlayer*(QWidget* owner)>;

    static TRealAudio* CreateRealAudio(QWidget* owner);
    static TWindowsMediaPlayer* CreateMediaPlayer(QWidget* owner);

    static void SetRealAudioMaker(RealAudioMaker maker);
    static void SetMediaPlayerMaker(MediaPlayerMaker maker);
};

// While it lives, creating the chosen players fails with orvik::Error as libmpv failing would.
class ScopedPlayerCreationFailure {
public:
    explicit ScopedPlayerCreationFailure(bool realAudio = true, bool mediaPlayer = true);
    ~ScopedPlayerCreationFailure();
    ScopedPlayerCreationFailure(const ScopedPlayerCreationFailure&) = delete;
    ScopedPlayerCreationFailure& operator=(const ScopedPlayerCreationFailure&) = delete;
};

} // namespace orvik
