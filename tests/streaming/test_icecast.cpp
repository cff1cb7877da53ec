// Playing from a real streaming server: icecast2 fed by ffmpeg, the song title changed through
// the server's admin interface, and the server going away mid-play and coming back.
#include "Icecast.h"

#include "ui_MainWindow.h"

#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/NowPlaying.h"
#include "app/forms/TreeOrder.h"
#include "app/player/Reconnector.h"
#include "tests/common/PrivateBus.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QtTest>

#include <algorithm>

namespace {
QString ctl(const QStringList& args) {
    return runToEnd(QStringLiteral("playerctl"), QStringList{"-p", "orvik"} + args);
}

qint64 median(QList<qint64> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}
} // namespace

class TestIcecast : public QObject {
    Q_OBJECT
private slots:
    void titlesAndRestart();
};

void TestIcecast::titlesAndRestart() {
    Icecast server;
    QVERIFY2(server.start(), qPrintable(server.error()));
    ProgramFolderFixture folder(
        ProgramFolderFixture::Catalogue::SchemaOnly,
        {"INSERT INTO categories (c_id, c_name) VALUES (1, 'Icecast')",
         QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_website) VALUES "
                        "(1, 1, 'Live', '%1', '')")
             .arg(server.url())});
    RecordingPresenter boxes;
    TfrmMain w;
    w.show();
    // Waits between attempts pass quicker: a second is 100 ms here.
    w.nowPlaying().reconnector().setSecondMs(100);
    auto& u = w.form();
    auto found = u.tvStations->findItems("Live", Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!found.isEmpty());
    orvik::selectNode(u.tvStations, found.first());
    w.updater().updateAll();
    u.actPlay->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(w.nowPlaying().playing(), 15000);

    // The server's title in the status line and over the bus.
    QList<qint64> latencies;
    for (int i = 0; i < 5; ++i) {
        const QString song = QStringLiteral("Song number %1").arg(i);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(server.setTitle(song));
        QTRY_COMPARE_WITH_TIMEOUT(u.lblStatusText->text(), QStringLiteral("Live - ") + song, 10000);
        latencies += clock.elapsed();
        QTRY_COMPARE(ctl({"metadata", "xesam:title"}), song);
    }
    qInfo("icecast title change to the status line: median %lld ms over 5 (metadata every %d "
          "bytes, %d ms of the stream)",
          median(latencies), Icecast::kMetaInterval, Icecast::kMetaInterval * 1000 / 16000);

    // The server goes away mid-play: the player waits and tries again, and plays once the
    // server is back.
    server.stop();
    QTRY_VERIFY_WITH_TIMEOUT(w.nowPlaying().reconnector().active(), 15000);
    QTRY_VERIFY(u.lblStatusText->text().startsWith(QStringLiteral("Reconnecting...")));
    QTRY_VERIFY(w.nowPlaying().reconnector().attempts() >= 2);
    QCOMPARE(ctl({"status"}), QStringLiteral("Stopped"));
    QVERIFY2(server.start(), qPrintable(server.error()));
    QElapsedTimer back;
    back.start();
    QTRY_VERIFY_WITH_TIMEOUT(w.nowPlaying().playing(), 30000);
    qInfo("icecast back to playing again: %lld ms", back.elapsed());
    QVERIFY(!w.nowPlaying().reconnector().active());
    QTRY_COMPARE(ctl({"status"}), QStringLiteral("Playing"));
    QVERIFY(server.setTitle(QStringLiteral("After the restart")));
    QTRY_COMPARE_WITH_TIMEOUT(u.lblStatusText->text(), QStringLiteral("Live - After the restart"),
                              10000);
    QVERIFY(boxes.boxes.isEmpty());
}

int main(int argc, char** argv) {
    PrivateBus bus;
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestIcecast test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_icecast.moc"
