#include "app/player/PlayerCore.h"

#include "app/player/AsxFetch.h"
#include "app/player/AsxPlaylist.h"
#include "app/player/FailureReason.h"
#include "app/player/LoadLog.h"
#include "app/player/StreamTitle.h"
#include "core/ErrorWrapper.h"

#include <QNetworkAccessManager>

#include <mpv/client.h>

#include <algorithm>
#include <clocale>

namespace orvik {

namespace {

// Reply tokens of loadfile commands carry this bit; every other command uses token 0.
constexpr quint64 kLoadTokenBit = quint64(1) << 62;
// Events handled per drain before the rest is left to a fresh queued call.
constexpr int kEventsPerDrain = 256;

void setOption(mpv_handle* h, const char* name, const char* value) {
    // Options missing from a particular libmpv build are not fatal.
    mpv_set_option_string(h, name, value);
}

} // namespace

void TPlayerCore::MpvDestroy::operator()(mpv_handle* h) const {
    mpv_terminate_destroy(h);
}

TPlayerCore::TPlayerCore(bool video, QObject* parent)
    : QObject(parent), video_(video), loadLog_(new TLoadLog(this)), loadToken_(kLoadTokenBit) {
    connect(loadLog_, &TLoadLog::settled, this, &TPlayerCore::finishFailedLoad);
    // libmpv refuses to run unless numbers are formatted the "C" way.
    std::setlocale(LC_NUMERIC, "C");
    mpv_.reset(mpv_create());
    if (!mpv_)
        throw Error(QStringLiteral("Unable to create the media player."));
    mpv_handle* h = mpv_.get();

    // Until the picture's render context exists (the widget has not been shown yet) the
    // library falls back to no picture instead of dropping the stream's video.
    setOption(h, "vo", video ? "libmpv,null" : "null");
    setOption(h, "idle", "yes");
    setOption(h, "keep-open", "no");
    setOption(h, "terminal", "no");
    setOption(h, "config", "no");
    setOption(h, "load-scripts", "no");
    setOption(h, "ytdl", "no");
    setOption(h, "osc", "no");
    setOption(h, "input-default-bindings", "no");
    setOption(h, "input-vo-keyboard", "no");
    setOption(h, "audio-client-name", "Orvik");
    setOption(h, "user-agent", "Orvik");
    // The desktop's sound servers or the sound card; without any of them play on silently
    // rather than fail the stream.
    setOption(h, "ao", "pipewire,pulse,alsa");
    setOption(h, "audio-fallback-to-null", "yes");
    // Software decoding only: no probing for hardware decoder interop.
    setOption(h, "hwdec", "no");
    setOption(h, "gpu-hwdec-interop", "no");
    // Live streams: a modest read-ahead, and a small back buffer: without any, the library
    // drops the title changes a stream sends while it plays (they are kept with the packets).
    setOption(h, "demuxer-max-bytes", "32MiB");
    setOption(h, "demuxer-max-back-bytes", "1MiB");
    // A stream that is stopped or replaced is cut at once: by default the library gives the
    // network layer a tenth of a second to end it gracefully, which a live stream that keeps
    // sending never does, so every Stop and every change of station waited for it.
    setOption(h, "demuxer-termination-timeout", "0");
    setOption(h, "network-timeout", QByteArray::number(networkTimeout_).constData());
    setOption(h, "volume", QByteArray::number(volume_).constData());

    if (mpv_initialize(h) < 0)
        throw Error(QStringLiteral("Unable to start the media player."));

    // Verbose lines too: the network layer tells its causes (refused, not found, timed out)
    // only there. They are kept only while a stream is being opened.
    mpv_request_log_messages(h, "v");
    mpv_observe_property(h, 0, "paused-for-cache", MPV_FORMAT_FLAG);
    mpv_observe_property(h, 0, "metadata", MPV_FORMAT_NODE);
    mpv_set_wakeup_callback(h, &TPlayerCore::wakeup, this);
}

TPlayerCore::~TPlayerCore() {
    // Once this returns no libmpv thread is inside wakeup() and none will call it again;
    // drain calls already queued for this object are discarded with it.
    mpv_set_wakeup_callback(mpv_.get(), nullptr, nullptr);
    // Fetches (running or waiting for deletion) go before the network manager they use.
    dropFetch();
    qDeleteAll(findChildren<TAsxFetch*>(Qt::FindDirectChildrenOnly));
    // mpv_ is terminated last; it cancels a connection in progress.
}

void TPlayerCore::wakeup(void* self) {
    auto* core = static_cast<TPlayerCore*>(self);
    if (core->wakeupQueued_.exchange(true))
        return; // a drain is already on its way
    QMetaObject::invokeMethod(core, &TPlayerCore::drainEvents, Qt::QueuedConnection);
}

void TPlayerCore::drainEvents() {
    wakeupQueued_.store(false);
    for (int n = 0; n < kEventsPerDrain; ++n) {
        mpv_event* event = mpv_wait_event(mpv_.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            return;
        handleEvent(*event);
    }
    // More is waiting: let other work run first.
    if (!wakeupQueued_.exchange(true))
        QMetaObject::invokeMethod(this, &TPlayerCore::drainEvents, Qt::QueuedConnection);
}

void TPlayerCore::handleEvent(const mpv_event& event) {
    switch (event.event_id) {
    case MPV_EVENT_COMMAND_REPLY: {
        if (!(event.reply_userdata & kLoadTokenBit) || event.reply_userdata != loadToken_)
            return; // not the loadfile of the current load
        if (event.error < 0) {
            lastError_ = QString::fromUtf8(mpv_error_string(event.error));
            if (!tryNextEntry()) {
                failure_ = reasonFor(event.error);
                setState(State::Stopped);
            }
            return;
        }
        const auto* result = static_cast<const mpv_node*>(event.data);
        if (result && result->format == MPV_FORMAT_NODE_MAP) {
            const mpv_node_list* map = result->u.list;
            for (int i = 0; i < map->num; ++i) {
                if (qstrcmp(map->keys[i], "playlist_entry_id") == 0 &&
                    map->values[i].format == MPV_FORMAT_INT64) {
                    firstOwned_ = lastOwned_ = map->values[i].u.int64;
                }
            }
        }
        return;
    }
    case MPV_EVENT_GET_PROPERTY_REPLY: {
        const auto* prop = static_cast<const mpv_event_property*>(event.data);
        if (event.reply_userdata != kVideoOutputQuery || event.error < 0 ||
            prop->format != MPV_FORMAT_STRING || state_ == State::Stopped)
            return;
        if (qstrcmp(*static_cast<char* const*>(prop->data), "null") != 0)
            return;
        // Open the entry again, now with the picture; the listener sees no new start.
        const State keep = state_;
        const bool reached = reachedPlaying_;
        const QStringList pending = pending_;
        loadEntry(entry_);
        pending_ = pending;
        reachedPlaying_ = reached;
        quietReload_ = keep != State::Opening;
        if (keep == State::Paused)
            setFlag("pause", true);
        return;
    }
    case MPV_EVENT_START_FILE: {
        const auto* start = static_cast<const mpv_event_start_file*>(event.data);
        currentEntry_ = start->playlist_entry_id;
        if (ownsEntry(currentEntry_) && !quietReload_) {
            loadLog_->clear(); // what came before is about an entry tried earlier, or none
            entryClock_.start();
        }
        if (ownsEntry(currentEntry_) && state_ != State::Opening && !quietReload_)
            setState(State::Opening); // the next entry of a playlist the library expanded
        return;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
        if (ownsEntry(currentEntry_) && quietReload_) {
            quietReload_ = false; // playing again, now with the picture
            return;
        }
        if (ownsEntry(currentEntry_) && (state_ == State::Opening || state_ == State::Buffering)) {
            reachedPlaying_ = true;
            quietReload_ = false;
            setState(State::Playing);
        }
        return;
    case MPV_EVENT_END_FILE:
        onEndFile(event);
        return;
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto* prop = static_cast<const mpv_event_property*>(event.data);
        if (qstrcmp(prop->name, "metadata") == 0) {
            if (ownsEntry(currentEntry_) && state_ != State::Stopped)
                onMetadata(prop->format == MPV_FORMAT_NODE
                               ? static_cast<const mpv_node*>(prop->data)
                               : nullptr);
            return;
        }
        if (qstrcmp(prop->name, "paused-for-cache") != 0 || prop->format != MPV_FORMAT_FLAG ||
            !ownsEntry(currentEntry_))
            return;
        const bool waiting = *static_cast<const int*>(prop->data) != 0;
        if (waiting && state_ == State::Playing)
            setState(State::Buffering);
        else if (!waiting && state_ == State::Buffering)
            setState(State::Playing);
        return;
    }
    case MPV_EVENT_LOG_MESSAGE: {
        const auto* msg = static_cast<const mpv_event_log_message*>(event.data);
        const QString text = QString::fromUtf8(msg->text).trimmed();
        if (msg->log_level <= MPV_LOG_LEVEL_ERROR)
            lastError_ = text;
        // Kept for the reason a load failed: the last lines logged while it was opened.
        loadLog_->take(QString::fromUtf8(msg->prefix), text);
        return;
    }
    default:
        return;
    }
}

void TPlayerCore::onEndFile(const mpv_event& event) {
    const auto* end = static_cast<const mpv_event_end_file*>(event.data);
    if (!ownsEntry(end->playlist_entry_id))
        return; // a load that was replaced or stopped
    const bool last = end->playlist_entry_id >= lastOwned_;
    switch (end->reason) {
    case MPV_END_FILE_REASON_REDIRECT:
        // A playlist the library reads itself: its entries replace this one.
        if (end->playlist_insert_id > 0 && end->playlist_insert_num_entries > 0)
            lastOwned_ = std::max<qint64>(lastOwned_, end->playlist_insert_id +
                                                          end->playlist_insert_num_entries - 1);
        return;
    case MPV_END_FILE_REASON_ERROR:
        lastError_ = QString::fromUtf8(mpv_error_string(end->error));
        if (!last)
            return; // the library goes on with the next entry of its playlist
        if (!reachedPlaying_ && tryNextEntry())
            return;
        if (!reachedPlaying_ && !fromPlaylist_ && !sniffed_ &&
            end->error == MPV_ERROR_UNKNOWN_FORMAT && asx::FetchableUrl(entry_).isValid()) {
            // Perhaps an .asx document served under another name.
            fetchPlaylist(entry_, true);
            return;
        }
        if (!reachedPlaying_) {
            // The library hands its log lines out after the events queued with them, and the
            // network layer's even later: the load ends once the log is quiet, so that the
            // reason is known when it is told.
            failedLoadError_ = end->error;
            loadLog_->awaitQuiet();
            return;
        }
        endByItself(false, end->error);
        return;
    case MPV_END_FILE_REASON_EOF:
        if (!last)
            return;
        endByItself(true);
        return;
    default: // stopped or quit by someone else
        forgetLoad();
        setTitle(QString());
        setState(State::Stopped);
        return;
    }
}

void TPlayerCore::finishFailedLoad() {
    endByItself(false, failedLoadError_);
}

QString TPlayerCore::reasonFor(int error) const {
    // Allow for the clock's and the network layer's own slack.
    const bool waitedOut =
        entryClock_.isValid() && entryClock_.elapsed() >= qint64(networkTimeout_ * 900);
    return FailureReason(loadLog_->lines(), error, waitedOut);
}

void TPlayerCore::endByItself(bool eof, int error) {
    const bool drop = reachedPlaying_ && !quietReload_;
    if (!reachedPlaying_)
        failure_ = reasonFor(error);
    forgetLoad();
    setTitle(QString());
    if (eof)
        setState(State::Ended);
    setState(State::Stopped);
    if (drop)
        emit dropped();
}

void TPlayerCore::onMetadata(const mpv_node* node) {
    QList<QPair<QString, QString>> pairs;
    if (node && node->format == MPV_FORMAT_NODE_MAP) {
        const mpv_node_list* map = node->u.list;
        for (int i = 0; i < map->num; ++i) {
            if (map->values[i].format == MPV_FORMAT_STRING && map->keys[i] &&
                map->values[i].u.string)
                pairs.append(
                    {QString::fromUtf8(map->keys[i]), QString::fromUtf8(map->values[i].u.string)});
        }
    }
    setTitle(CleanTitle(TitleFromMetadata(pairs)));
}

void TPlayerCore::setTitle(const QString& title) {
    if (title == title_)
        return;
    title_ = title;
    emit titleChanged(title_);
}

void TPlayerCore::open(const QString& address) {
    forgetLoad();
    loadLog_->clear();
    failure_.clear();
    setTitle(QString());
    pending_.clear();
    fromPlaylist_ = false;
    sniffed_ = false;
    address_ = address;
    if (address.trimmed().isEmpty()) {
        stop();
        return;
    }
    setState(State::Opening);
    if (asx::IsAsxAddress(address) && asx::FetchableUrl(address).isValid())
        fetchPlaylist(address, false);
    else
        loadEntry(address);
}

void TPlayerCore::stop() {
    forgetLoad();
    failure_.clear();
    setTitle(QString());
    pending_.clear();
    const char* cmd[] = {"stop", nullptr};
    mpv_command_async(mpv_.get(), 0, cmd);
    setState(State::Stopped);
}

void TPlayerCore::loadEntry(const QString& address) {
    forgetLoad();
    entry_ = address;
    entryClock_.start();
    setFlag("pause", false);
    ++loadToken_;
    const QByteArray utf8 = address.toUtf8();
    const char* cmd[] = {"loadfile", utf8.constData(), "replace", nullptr};
    if (mpv_command_async(mpv_.get(), loadToken_, cmd) < 0 && !tryNextEntry())
        setState(State::Stopped);
}

void TPlayerCore::forgetLoad() {
    ++loadToken_; // a reply still on its way no longer matches
    loadLog_->cancelWait();
    firstOwned_ = lastOwned_ = 0;
    reachedPlaying_ = false;
    quietReload_ = false;
    dropFetch();
}

const QStringList& TPlayerCore::loadLog() const {
    return loadLog_->lines();
}

void TPlayerCore::setState(State state) {
    if (state == state_)
        return;
    state_ = state;
    loadLog_->setListening(state == State::Opening);
    emit stateChanged(state);
}

} // namespace orvik
