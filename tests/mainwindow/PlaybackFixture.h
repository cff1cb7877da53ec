#pragma once
// The main window over a loopback server with a media stream, a RealMedia stream, pages and
// the addresses that fail, and a record of what the status line showed at each player event.
#include "ui_MainWindow.h"

#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/Playback.h"
#include "app/forms/TreeOrder.h"
#include "app/player/PlayerFactory.h"
#include "app/player/RealAudio.h"
#include "app/player/WebBrowser.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/common/StreamServer.h"

#include <QtTest>

#include <optional>

struct Event {
    int state;
    QString status;
    bool loading;
};

class PlaybackFixture {
public:
    // The window is made with the players named here missing, as when libmpv fails.
    explicit PlaybackFixture(bool realMissing = false, bool mediaMissing = false) {
        server.addStream(QStringLiteral("/live.mp3"));
        server.addStream(QStringLiteral("/live.rm"));
        server.addFile(QStringLiteral("/page.html"),
                       "<html><body><h1>Station page</h1></body></html>", "text/html");
        server.addSilent(QStringLiteral("/slow.html"));
        server.addSilent(QStringLiteral("/silent.mp3"));
        server.addFile(QStringLiteral("/notmedia.mp3"),
                       QByteArray("This is a letter, not a sound. ").repeated(400), "text/plain");
        const QString base = server.url(QString()).toString();
        server.addFile(
            QStringLiteral("/list.pls"),
            QStringLiteral("[playlist]\nNumberOfEntries=1\nFile1=%1/live.mp3\n").arg(base).toUtf8(),
            "audio/x-scpls");
        server.addFile(
            QStringLiteral("/list.m3u"),
            QStringLiteral("#EXTM3U\n#EXTINF:-1,Loopback\n%1/live.mp3\n").arg(base).toUtf8(),
            "audio/x-mpegurl");
        const QList<std::tuple<int, QString, QString, QString>> stations = {
            {1, "Media stream", base + "/live.mp3", ""},
            {2, "Real stream", base + "/live.rm", ""},
            {3, "Web page", "../web.htm", base + "/page.html"},
            {4, "Slow page", "../web.htm", base + "/slow.html"},
            {5, "Refused", "http://127.0.0.1:1/dead.mp3", ""},
            {6, "Missing", base + "/nothing-here.mp3", ""},
            {7, "Not media", base + "/notmedia.mp3", ""},
            {8, "Silent", base + "/silent.mp3", ""},
            {9, "Pls list", base + "/list.pls", ""},
            {10, "M3u list", base + "/list.m3u", ""},
        };
        QStringList sql{"INSERT INTO categories (c_id, c_name) VALUES (1, 'Loopback')"};
        for (const auto& [id, name, url, site] : stations)
            sql << QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_website) "
                                  "VALUES (%1, 1, '%2', '%3', '%4')")
                       .arg(id)
                       .arg(name, url, site);
        folder = std::make_unique<ProgramFolderFixture>(ProgramFolderFixture::Catalogue::SchemaOnly,
                                                        sql);
        if (realMissing || mediaMissing)
            missing.emplace(realMissing, mediaMissing);
        w = std::make_unique<TfrmMain>();
        w->show();
    }

    Ui::TfrmMain& u() { return w->form(); }

    TStationNode* node(const QString& name) { return u().tvStations->findItems(name).value(0); }

    bool playEnabled() {
        w->updater().updateAll();
        return u().actPlay->isEnabled();
    }

    void play(const QString& name) {
        TStationNode* station = node(name);
        QVERIFY(station);
        orvik::selectNode(u().tvStations, station);
        w->updater().updateAll();
        QVERIFY(u().actPlay->isEnabled());
        u().actPlay->trigger();
    }

    // Records what the status line and the loading label show after each player event. The
    // observer is queued, so it looks once the window's own handler has run.
    template <typename Player> void observe(Player* player) {
        QObject::connect(
            player, &Player::PlayStateChange, w.get(),
            [this](int state) {
                events.append({state, u().lblStatusText->text(), !u().lLoading->isHidden()});
            },
            Qt::QueuedConnection);
    }

    bool stopEnabled() {
        w->updater().updateAll();
        return u().actStop->isEnabled();
    }

    int indexInParent(QWidget* child) { return child->parentWidget()->children().indexOf(child); }

    StreamServer server;
    std::unique_ptr<ProgramFolderFixture> folder;
    RecordingPresenter boxes;
    std::optional<orvik::ScopedPlayerCreationFailure> missing;
    std::unique_ptr<TfrmMain> w;
    QList<Event> events;
};

inline bool hasEvent(const QList<Event>& events, int state) {
    return std::any_of(events.begin(), events.end(),
                       [&](const Event& e) { return e.state == state; });
}

inline Event eventFor(const QList<Event>& events, int state) {
    for (const Event& e : events)
        if (e.state == state)
            return e;
    return {-1, QString(), false};
}
