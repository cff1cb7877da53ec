#pragma once

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QStringList>

class QTimer;

namespace orvik {

// What libmpv logged while a player opened a stream, kept to tell why the load failed.
//
// Only lines that can tell a cause are kept, and only while the owner is listening (opening a
// stream). The network layer's lines ("ffmpeg…" prefixes) are logged process-wide: libmpv hands
// them all to the first player handle made, whichever player they are about. A log that gets
// one passes it to every log that is listening; all of them live on the user-interface thread.
class TLoadLog : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 64;
    // A failed load is told once a kept line names its cause and nothing more was logged for
    // kSettleMs, or at the latest kLimitMs after it ended. The network layer's lines can come
    // well after the end event on a busy machine: they reach the player through another
    // player's handle, so a quiet spell alone does not mean that everything has arrived.
    static constexpr int kSettleMs = 150;
    static constexpr int kLimitMs = 1500;

    explicit TLoadLog(QObject* parent = nullptr);
    ~TLoadLog() override;

    // Whether lines are kept now (the owner is opening a stream).
    void setListening(bool on) { listening_ = on; }
    bool listening() const { return listening_; }

    // A line the owner's libmpv handle logged (its prefix and its text).
    void take(const QString& prefix, const QString& text);
    void clear() {
        lines_.clear();
        causeNamed_ = false;
    }
    // The kept lines, each "prefix: text", the oldest first (the last kMaxLines).
    const QStringList& lines() const { return lines_; }

    // The load failed: settled() follows once the log has named a cause and gone quiet, or
    // the limit passed.
    void awaitQuiet();
    // No longer waiting: settled() does not follow.
    void cancelWait();
    bool waiting() const { return waiting_; }

signals:
    void settled();

private:
    void keep(const QString& line);
    void onQuiet();

    QStringList lines_;
    bool listening_ = false;
    bool waiting_ = false;
    bool causeNamed_ = false; // a kept line names why the load failed
    QTimer* settle_;          // while waiting: to the limit, or restarted by each line once a
                              // cause is named
    QDeadlineTimer limit_;    // how long it may wait at most
};

} // namespace orvik
