#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

struct mpv_handle;
struct mpv_event;
struct mpv_node;

class QNetworkAccessManager;

namespace orvik {

class TAsxFetch;
class TLoadLog;

// One libmpv player instance: opens a stream address, plays, stops, sets the volume and
// reports its state. Each core owns its own mpv handle, so two cores play side by side.
//
// Every libmpv call made here is asynchronous: the user-interface thread never waits for the
// network. libmpv reports on its own threads; the wake-up only queues a call to drain the event
// queue on this object's thread.
//
// .asx addresses are fetched and read here (libmpv cannot), and a stream the library does not
// recognise is fetched once to see whether it is an .asx document under another name. The
// entries are tried in order until one opens.
class TPlayerCore : public QObject {
    Q_OBJECT
public:
    enum class State {
        Stopped,   // nothing loaded, or stopped
        Opening,   // connecting, fetching a playlist, or reading the stream's head
        Buffering, // was playing, waiting for data
        Playing,
        Paused,
        Ended // the stream came to its end; Stopped follows at once
    };
    Q_ENUM(State)

    static constexpr double kDefaultNetworkTimeout = 10.0;

    // video true: picture through the render API (vo=libmpv), a render context must be made on
    // handle(); false: no picture (vo=null), sound only. Throws orvik::Error when libmpv cannot
    // be created or initialised.
    explicit TPlayerCore(bool video, QObject* parent = nullptr);
    ~TPlayerCore() override;

    mpv_handle* handle() const { return mpv_.get(); }
    bool hasVideo() const { return video_; }

    // Starts the address, replacing whatever this core played or was opening.
    void open(const QString& address);
    void stop();
    void pause();
    void resume();

    // 0 to 100; other values are clamped.
    void setVolume(int volume);
    int volume() const { return volume_; }

    // Seconds without an answer after which a connection is given up.
    void setNetworkTimeout(double seconds);
    double networkTimeout() const { return networkTimeout_; }

    // The picture's render context has just been made: a stream already playing picks its
    // video up again (until then it played without a picture).
    void reattachVideo();

    // Picture scaling: keep the aspect ratio; show the picture unscaled (centred).
    void setKeepAspect(bool on);
    void setUnscaled(bool on);

    // The version of libmpv in use ("mpv 0.35.1"), or its client API version.
    QString libraryVersion() const;
    // "libmpv client API 2.1": known without a player.
    static QString clientApiVersion();

    State state() const { return state_; }
    // The address given to open() (not an entry of a playlist).
    const QString& address() const { return address_; }
    // The address libmpv is playing or opening now.
    const QString& entry() const { return entry_; }
    // The last error libmpv logged, for diagnostics.
    const QString& lastError() const { return lastError_; }
    // What the stream says it plays now (cleaned, plain text), empty when it says nothing.
    const QString& title() const { return title_; }
    // Why the last load ended without ever playing, in a user's words; empty while a load is
    // on its way, after it played, and after stop().
    const QString& failureReason() const { return failure_; }
    // What libmpv logged that may tell why the current or last load failed, from the start of
    // its last entry (the last 64 lines).
    const QStringList& loadLog() const;
    // Whether the current load reached playing at least once.
    bool reachedPlaying() const { return reachedPlaying_; }

signals:
    void stateChanged(orvik::TPlayerCore::State state);
    void titleChanged(const QString& title);
    // A stream that had been playing ended by itself (the server went away, the connection
    // dropped or stalled past the timeout). Sent after the Stopped state.
    void dropped();

private:
    // Reply token of the query made when the picture's render context arrives.
    static constexpr quint64 kVideoOutputQuery = 1;

    struct MpvDestroy {
        void operator()(mpv_handle* h) const;
    };

    static void wakeup(void* self);
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void onEndFile(const mpv_event& event);
    void loadEntry(const QString& address);
    void fetchPlaylist(const QString& address, bool sniffing);
    void onPlaylist(int outcome, const QStringList& entries);
    bool tryNextEntry();
    void forgetLoad();
    void dropFetch();
    void setState(State state);
    void onMetadata(const mpv_node* node);
    void setTitle(const QString& title);
    // Ends the load because the stream ended by itself: a drop when it had been playing, a
    // failure (error the end event's code) when it never did.
    void endByItself(bool eof, int error = 0);
    // Ends a load that failed, once the log lines that say why have been read: libmpv hands
    // some of them out after the end event, so the log has to go quiet first.
    void finishFailedLoad();
    // The reason the current load failed, from its log and its end event's error code.
    QString reasonFor(int error) const;
    void setFlag(const char* name, bool on);
    bool ownsEntry(qint64 id) const { return id != 0 && id >= firstOwned_ && id <= lastOwned_; }

    std::unique_ptr<mpv_handle, MpvDestroy> mpv_;
    std::atomic<bool> wakeupQueued_{false};
    bool video_ = false;

    State state_ = State::Stopped;
    QString address_;
    QString entry_;
    QString lastError_;
    TLoadLog* loadLog_; // a child of this core
    QString failure_;
    int failedLoadError_ = 0;  // of the failed load waiting for its log to go quiet
    QElapsedTimer entryClock_; // since the current entry was started
    QString title_;
    int volume_ = 100;
    double networkTimeout_ = kDefaultNetworkTimeout;

    // Which libmpv playlist entries belong to the current load. A load's entry id is known
    // from the reply to its loadfile command; a playlist the library expands itself (.m3u,
    // .pls) adds the ids it inserts. Events about other entries are stale and ignored.
    quint64 loadToken_;
    qint64 firstOwned_ = 0;
    qint64 lastOwned_ = 0;
    qint64 currentEntry_ = 0;
    bool reachedPlaying_ = false;
    // The entry is being opened again to pick up the picture: not reported as a new start.
    bool quietReload_ = false;

    // .asx entries still to try, and whether the current address was already fetched to see
    // whether it is an .asx document.
    QStringList pending_;
    bool fromPlaylist_ = false;
    bool sniffed_ = false;
    std::unique_ptr<QNetworkAccessManager> network_;
    QPointer<TAsxFetch> fetch_; // a child of this core
};

} // namespace orvik
