// Resume: the last station, the volume and the window's place kept in settings.ini and taken
// up at the next start; playing at start only with the File menu's check item on; values
// that cannot be right passed over.
#include "ui_MainWindow.h"

#include "app/forms/MainWindow.h"
#include "app/forms/Resume.h"
#include "app/forms/SettingsFile.h"
#include "app/forms/TreeOrder.h"
#include "app/player/PlayerFactory.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/mainwindow/LoopbackStations.h"

#include <QMenu>
#include <QtTest>

namespace {

const QString kIdle = QStringLiteral("No channel currently playing");

class Session : public LoopbackStations {
public:
    // A start of the program: the window made and shown.
    TfrmMain& start() {
        w = std::make_unique<TfrmMain>();
        w->show();
        return *w;
    }
    // Its end: the window goes, as at exit.
    void end() { w.reset(); }

    Ui::TfrmMain& u() { return w->form(); }
    QAction* playAtStart() { return w->findChild<TResume*>()->playAtStartAction(); }
    QString selected() {
        TStationNode* n = orvik::selectedNode(u().tvStations);
        return n ? n->text(0) : QString();
    }
    QString settingsPath() const { return folder->path() + QStringLiteral("settings.ini"); }
    QString setting(const QString& key) const {
        return TSettingsFile(settingsPath()).ReadString(TResume::Section, key, QString());
    }
    void writeSettings(const QByteArray& text) const {
        QFile f(settingsPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    RecordingPresenter boxes;
    std::unique_ptr<TfrmMain> w;
};

} // namespace

class TestResume : public QObject {
    Q_OBJECT
private slots:
    void keptWithoutPlaybackAtStart();
    void playbackAtStart();
    void valuesThatCannotBeRightArePassedOver();
};

void TestResume::keptWithoutPlaybackAtStart() {
    Session s;
    s.writeSettings("; the user's own note\n[Skins]\nActive=0\n");
    {
        orvik::ScopedPlayerCreationFailure noPlayers;
        TfrmMain& w = s.start();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // The check item sits in the File menu, off on a first start.
        QVERIFY(s.u().mnuFileMenu->actions().contains(s.playAtStart()));
        QVERIFY(s.playAtStart()->isCheckable());
        QVERIFY(!s.playAtStart()->isChecked());
        QCOMPARE(s.u().trbVolume->value(), 10);

        orvik::selectNode(s.u().tvStations, s.u().tvStations->findItems("Two").value(0));
        w.tvStationsDblClick();
        // The station is kept as it starts, not only at the end.
        QCOMPARE(s.setting(QStringLiteral("Station")), QStringLiteral("2"));
        orvik::selectNode(s.u().tvStations, s.u().tvStations->findItems("One").value(0));
        s.u().trbVolume->setValue(14);
        w.setGeometry(110, 90, 760, 560);
        QTRY_COMPARE(w.geometry(), QRect(110, 90, 760, 560));
        s.end();
    }
    QCOMPARE(s.setting(QStringLiteral("Volume")), QStringLiteral("14"));
    QCOMPARE(s.setting(QStringLiteral("PlayAtStart")), QStringLiteral("0"));
    // The other sections and the user's lines stay.
    const TSettingsFile file(s.settingsPath());
    QCOMPARE(file.ReadString(QStringLiteral("Skins"), QStringLiteral("Active"), {}),
             QStringLiteral("0"));
    QFile raw(s.settingsPath());
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QVERIFY(raw.readAll().startsWith("; the user's own note\n"));

    TfrmMain& w = s.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(s.selected(), QStringLiteral("Two")); // the station played, not the one selected
    QCOMPARE(s.u().lblName->text(), QStringLiteral("Two"));
    QCOMPARE(s.u().trbVolume->value(), 14);
    QCOMPARE(w.MediaPlayer->volume(), 70); // the player has the slider's volume before a move
    QTRY_COMPARE(w.geometry(), QRect(110, 90, 760, 560));
    QTest::qWait(500); // a play at start would be under way by now
    QCOMPARE(w.PlayMode, -1);
    QCOMPARE(s.u().lblStatusText->text(), kIdle);
}

void TestResume::playbackAtStart() {
    Session s;
    s.writeSettings("[Resume]\nStation=1\n");
    TfrmMain& w = s.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(s.selected(), QStringLiteral("One"));
    // Turned on from the menu: written at once.
    s.playAtStart()->trigger();
    QVERIFY(s.playAtStart()->isChecked());
    QCOMPARE(s.setting(QStringLiteral("PlayAtStart")), QStringLiteral("1"));
    s.end();

    TfrmMain& again = s.start();
    QVERIFY(s.playAtStart()->isChecked());
    QTRY_COMPARE_WITH_TIMEOUT(s.u().lblStatusText->text(), QStringLiteral("One"), 10000);
    QCOMPARE(again.PlayMode, 0);
    QVERIFY2(s.boxes.texts().isEmpty(), qPrintable(s.boxes.texts().join(u'\n')));
}

void TestResume::valuesThatCannotBeRightArePassedOver() {
    Session s;
    const QList<QByteArray> sections = {
        // No such station, a volume past the slider, a window too small.
        "[Resume]\nStation=99\nVolume=21\nLeft=10\nTop=10\nWidth=20\nHeight=20\nPlayAtStart=1\n",
        // Text where numbers go, and a window on no screen.
        "[Resume]\nStation=two\nVolume=-1\nLeft=-90000\nTop=90000\nWidth=640\nHeight=480\n",
    };
    for (const QByteArray& text : sections) {
        s.writeSettings(text);
        TfrmMain& w = s.start();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(s.selected(), QString());
        QCOMPARE(s.u().trbVolume->value(), 10);
        QVERIFY(w.geometry().width() >= 200);
        QVERIFY(w.geometry().intersects(w.screen()->availableGeometry()));
        QTest::qWait(200);
        QCOMPARE(w.PlayMode, -1);
        QVERIFY2(s.boxes.texts().isEmpty(), qPrintable(s.boxes.texts().join(u'\n')));
        s.end();
    }
}

QTEST_MAIN(TestResume)
#include "test_resume.moc"
