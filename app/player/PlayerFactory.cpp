#include "app/player/PlayerFactory.h"

#include "app/player/RealAudio.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/ErrorWrapper.h"

namespace orvik {

namespace {

PlayerFactory::RealAudioMaker& realAudioMaker() {
    static PlayerFactory::RealAudioMaker maker;
    return maker;
}

PlayerFactory::MediaPlayerMaker& mediaPlayerMaker() {
    static PlayerFactory::MediaPlayerMaker maker;
    return maker;
}

template <class Player, class Maker> Player* create(const Maker& maker, QWidget* owner) {
    Player* player = maker ? maker(owner) : new Player(owner);
    if (!player)
        throw Error(QStringLiteral("Unable to create the media player."));
    return player;
}

} // namespace

TRealAudio* PlayerFactory::CreateRealAudio(QWidget* owner) {
    return create<TRealAudio>(realAudioMaker(), owner);
}

TWindowsMediaPlayer* PlayerFactory::CreateMediaPlayer(QWidget* owner) {
    return create<TWindowsMediaPlayer>(mediaPlayerMaker(), owner);
}

void PlayerFactory::SetRealAudioMaker(RealAudioMaker maker) {
    realAudioMaker() = std::move(maker);
}

void PlayerFactory::SetMediaPlayerMaker(MediaPlayerMaker maker) {
    mediaPlayerMaker() = std::move(maker);
}

ScopedPlayerCreationFailure::ScopedPlayerCreationFailure(bool realAudio, bool mediaPlayer) {
    if (realAudio)
        PlayerFactory::SetRealAudioMaker([](QWidget*) -> TRealAudio* {
            throw Error(QStringLiteral("Unable to create the media player."));
        });
    if (mediaPlayer)
        PlayerFactory::SetMediaPlayerMaker([](QWidget*) -> TWindowsMediaPlayer* {
            throw Error(QStringLiteral("Unable to create the media player."));
        });
}

ScopedPlayerCreationFailure::~ScopedPlayerCreationFailure() {
    PlayerFactory::SetRealAudioMaker({});
    PlayerFactory::SetMediaPlayerMaker({});
}

} // namespace orvik
