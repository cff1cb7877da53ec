// One program per catalogue: a second start asks the first to show its window and ends; a
// lock left by a killed program does not stop the next one; other catalogues run apart; a
// first program that does not answer, and talk that is no request, are handled.
#include "app/forms/ProgramStart.h"
#include "app/forms/SingleInstance.h"

#include <QGuiApplication>

#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>

namespace {

// The roles this program plays as a child of the test: ORVIK_TEST_ROLE names it and
// ORVIK_TEST_CATALOGUE the catalogue.
int runChild(const QByteArray& role) {
    TSingleInstance instance(qEnvironmentVariable("ORVIK_TEST_CATALOGUE"));
    const bool first = instance.Acquire();
    if (role == "second") // a later start: 0 once the first has shown its window
        return first ? 3 : instance.ShowRunning(30000) ? 0 : 4;
    if (!first)
        return 5;
    std::printf("locked\n");
    std::fflush(stdout);
    if (role == "die")
        std::raise(SIGKILL);
    // "hang": holds the lock and never answers, until its input closes.
    std::getchar();
    return 0;
}

struct Child {
    explicit Child(const QString& role, const QString& catalogue) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVIK_TEST_ROLE"), role);
        env.insert(QStringLiteral("ORVIK_TEST_CATALOGUE"), catalogue);
        process.setProcessEnvironment(env);
        process.start(QCoreApplication::applicationFilePath(), {});
    }
    ~Child() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(10000);
        }
    }
    bool waitForLock() {
        while (!process.canReadLine())
            if (!process.waitForReadyRead(30000))
                return false;
        return process.readLine() == "locked\n";
    }
    QProcess process;
};

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

    QTemporaryDir runtime_;
    QTemporaryDir data_;
    QString catalogue(const QString& name) const { return data_.filePath(name); }

private slots:
    void initTestCase();
    void secondStartShowsTheFirst();
    void lockOfAKilledProgram();
    void cataloguesApart();
    void firstThatDoesNotAnswer();
    void talkThatIsNoRequest();
    void namesMatchTheLauncher();
};

void TestSingleInstance::initTestCase() {
    QVERIFY(runtime_.isValid() && data_.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
}

void TestSingleInstance::secondStartShowsTheFirst() {
    TSingleInstance first(catalogue(QStringLiteral("data.db")));
    QVERIFY(first.Acquire());
    QVERIFY(first.LockPath().startsWith(runtime_.path()));
    QSignalSpy shown(&first, &TSingleInstance::ShowRequested);
    Child second(QStringLiteral("second"), catalogue(QStringLiteral("data.db")));
    QSignalSpy finished(&second.process, &QProcess::finished);
    QVERIFY(finished.wait(60000));
    QCOMPARE(second.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.process.exitCode(), 0);
    QCOMPARE(shown.size(), 1);

    // The same catalogue under another spelling of its path is the same program.
    Child again(QStringLiteral("second"), data_.path() + QStringLiteral("/./x/../data.db"));
    QSignalSpy again_finished(&again.process, &QProcess::finished);
    QVERIFY(again_finished.wait(60000));
    QCOMPARE(again.process.exitCode(), 0);
    QCOMPARE(shown.size(), 2);
}

void TestSingleInstance::lockOfAKilledProgram() {
    const QString db = catalogue(QStringLiteral("killed.db"));
    {
        Child dying(QStringLiteral("die"), db);
        QVERIFY(dying.waitForLock());
        QVERIFY(dying.process.waitForFinished(30000));
        QCOMPARE(dying.process.exitStatus(), QProcess::CrashExit);
    }
    TSingleInstance next(db);
    // Its lock file and socket are still there, and are no obstacle.
    QVERIFY(QFileInfo::exists(next.LockPath()));
    QVERIFY(QFileInfo::exists(next.ServerName()));
    QVERIFY(!TSingleInstance::Running(db));
    QVERIFY(next.Acquire());
    QVERIFY(TSingleInstance::Running(db));
    // And the new program answers on the socket the dead one left.
    QSignalSpy shown(&next, &TSingleInstance::ShowRequested);
    Child second(QStringLiteral("second"), db);
    QSignalSpy finished(&second.process, &QProcess::finished);
    QVERIFY(finished.wait(60000));
    QCOMPARE(second.process.exitCode(), 0);
    QCOMPARE(shown.size(), 1);
}

void TestSingleInstance::cataloguesApart() {
    const QString one = catalogue(QStringLiteral("one.db"));
    const QString two = catalogue(QStringLiteral("two.db"));
    QVERIFY(!TSingleInstance::Running(one));
    auto first = std::make_unique<TSingleInstance>(one);
    QVERIFY(first->Acquire());
    TSingleInstance other(two);
    QVERIFY(other.Acquire());
    QVERIFY(other.LockPath() != first->LockPath());
    TSingleInstance same(one);
    QVERIFY(!same.Acquire());
    QVERIFY(TSingleInstance::Running(one));
    // The lock goes with the program that held it.
    first.reset();
    QVERIFY(!TSingleInstance::Running(one));
    QVERIFY(same.Acquire());
}

void TestSingleInstance::firstThatDoesNotAnswer() {
    const QString db = catalogue(QStringLiteral("hung.db"));
    Child hung(QStringLiteral("hang"), db);
    QVERIFY(hung.waitForLock());
    TSingleInstance second(db);
    QVERIFY(!second.Acquire());
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!second.ShowRunning(500));
    QVERIFY(clock.elapsed() < 10000);
    hung.process.closeWriteChannel();
    QVERIFY(hung.process.waitForFinished(30000));
    QCOMPARE(hung.process.exitCode(), 0);
}

void TestSingleInstance::talkThatIsNoRequest() {
    TSingleInstance first(catalogue(QStringLiteral("talk.db")));
    QVERIFY(first.Acquire());
    QSignalSpy shown(&first, &TSingleInstance::ShowRequested);
    for (const QByteArray& talk : {QByteArray("hello\n"), QByteArray(100000, 'x'),
                                   QByteArray("show"), QByteArray("show\nshow\n")}) {
        QLocalSocket client;
        client.connectToServer(first.ServerName());
        QTRY_COMPARE(client.state(), QLocalSocket::ConnectedState);
        client.write(talk);
        // The program ends the talk: after a line, after too much without one, or when a
        // client says nothing complete for a while.
        QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 10000);
    }
    // Only the last talk began with the one request there is.
    QCOMPARE(shown.size(), 1);
}

// Docks find the launcher of a window by its application id (Wayland: the desktop file name)
// or its class (X11: the application name, which the launcher names as StartupWMClass).
void TestSingleInstance::namesMatchTheLauncher() {
    orvik::nameApplication();
    QFile launcher(QStringLiteral(ORVIK_SOURCE_DIR "/dist/orvik.desktop"));
    QVERIFY(launcher.open(QIODevice::ReadOnly));
    const QByteArray text = launcher.readAll();
    QCOMPARE(QGuiApplication::desktopFileName() + QStringLiteral(".desktop"),
             QFileInfo(launcher).fileName());
    QVERIFY(
        text.contains("\nStartupWMClass=" + QCoreApplication::applicationName().toUtf8() + '\n'));
    QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Orvik"));
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QByteArray role = qgetenv("ORVIK_TEST_ROLE");
    if (!role.isEmpty())
        return runChild(role);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_singleinstance.moc"
