#include "app/player/WebBrowser.h"
#include "tests/common/StreamServer.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QScreen>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include "app/player/SharedOpenGL.h"
#include "app/player/VideoSurface.h"

using namespace orvik;

namespace {

bool engineMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

// Stands in for a player's picture: a GL widget in the same window as the page.
class BlueSurface : public QOpenGLWidget {
public:
    using QOpenGLWidget::QOpenGLWidget;

protected:
    void paintGL() override {
        QOpenGLFunctions* gl = context()->functions();
        gl->glClearColor(0, 0, 1, 1);
        gl->glClear(GL_COLOR_BUFFER_BIT);
    }
};

// The window as the screen shows it (what a user sees, not what the widgets think they drew).
QImage onScreen(QWidget& window) {
    return window.screen()->grabWindow(window.winId()).toImage();
}

bool shows(const QImage& image, QPoint at, QColor colour) {
    return image.valid(at) && image.pixelColor(at) == colour;
}

} // namespace

class TestWebBrowser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void addresses_data();
    void addresses();
    void missingModuleSaysWhy();
    void viewIsMadeOnFirstNavigate();
    void pageIsDrawnBesideAPicture();
    void stopEndsALoadThatHangs();

private:
    std::unique_ptr<StreamServer> server_;
};

void TestWebBrowser::initTestCase() {
    server_ = std::make_unique<StreamServer>();
    QVERIFY(server_->isListening());
    server_->addFile("/station.htm",
                     "<html><head><title>Station page</title></head>"
                     "<body>On air</body></html>",
                     "text/html; charset=utf-8");
    server_->addFile("/orange.htm",
                     "<html><body style='margin:0;background:#ff8800'></body></html>",
                     "text/html; charset=utf-8");
    server_->addSilent("/hangs.htm");
}

void TestWebBrowser::addresses_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QUrl>("expected");
    QTest::newRow("web") << "http://radio.test/a.htm" << QUrl("http://radio.test/a.htm");
    QTest::newRow("file url") << "file:///opt/orvik/links.htm"
                              << QUrl("file:///opt/orvik/links.htm");
    QTest::newRow("local path") << "/opt/orvik/links.htm"
                                << QUrl::fromLocalFile("/opt/orvik/links.htm");
    QTest::newRow("empty") << "" << QUrl("about:blank");
    QTest::newRow("blank") << "   " << QUrl("about:blank");
}

void TestWebBrowser::addresses() {
    QFETCH(QString, address);
    QFETCH(QUrl, expected);
    QCOMPARE(TWebBrowser::urlFor(address), expected);
}

void TestWebBrowser::missingModuleSaysWhy() {
    QTemporaryDir dir;
    QFile notAModule(dir.filePath("orvik-webview.so"));
    QVERIFY(notAModule.open(QIODevice::WriteOnly));
    notAModule.write("not a shared library");
    notAModule.close();

    for (const QString& path : {dir.filePath("absent.so"), notAModule.fileName()}) {
        TWebBrowser::setModulePath(path);
        TWebBrowser browser;
        QSignalSpy finished(&browser, &TWebBrowser::loadFinished);
        browser.Navigate(server_->url("/station.htm").toString());
        QVERIFY(!browser.hasView());
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().at(0).toBool(), false);
        QVERIFY(browser.engineError().contains(path));
        auto* label = browser.findChild<QLabel*>();
        QVERIFY(label);
        QVERIFY(label->text().startsWith("Web pages cannot be shown"));
        QVERIFY(label->text().contains(path));
        browser.Stop(); // nothing to stop
    }
    TWebBrowser::setModulePath(QString());
    QVERIFY(!engineMapped());
}

void TestWebBrowser::viewIsMadeOnFirstNavigate() {
    TWebBrowser browser;
    browser.resize(400, 300);
    browser.setVisible(true);
    QVERIFY(!browser.hasView()); // the engine costs nothing until a page is shown
    browser.Stop();              // and stopping before then is harmless
    QVERIFY(!browser.hasView());
    QVERIFY(!engineMapped());

    QSignalSpy finished(&browser, &TWebBrowser::loadFinished);
    const QUrl page = server_->url("/station.htm");
    browser.Navigate(page.toString());
    QVERIFY(browser.hasView());
    QVERIFY(engineMapped());
    QVERIFY(browser.engineError().isEmpty());
    QVERIFY(finished.wait(30000));
    QCOMPARE(finished.first().at(0).toBool(), true);
    QCOMPARE(browser.view()->property("url").toUrl(), page);
    QCOMPARE(browser.LocationURL(), page);
    QTRY_COMPARE(browser.view()->property("title").toString(), QStringLiteral("Station page"));
    QCOMPARE(server_->requestCount("/station.htm"), 1);

    // An empty address shows a blank page.
    finished.clear();
    browser.Navigate(QString());
    QVERIFY(finished.wait(30000));
    QCOMPARE(browser.view()->property("url").toUrl(), QUrl("about:blank"));
}

// The engine is loaded long after the application started, into a window that already draws a
// GL picture; the page and the picture must both reach the screen.
void TestWebBrowser::pageIsDrawnBesideAPicture() {
    if (!OpenGLAvailable())
        QSKIP("no OpenGL here");
    QVERIFY(EnsureSharedOpenGL());
    QWidget window;
    window.resize(400, 400);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* picture = new BlueSurface(&window);
    picture->setFixedHeight(100);
    layout->addWidget(picture);
    auto* browser = new TWebBrowser(&window);
    layout->addWidget(browser, 1);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QSignalSpy finished(browser, &TWebBrowser::loadFinished);
    browser->Navigate(server_->url("/orange.htm").toString());
    QVERIFY(finished.wait(30000));
    QVERIFY(finished.first().at(0).toBool());
    const QPoint inPicture(200, 50);
    const QPoint inPage = browser->geometry().center();
    QTRY_VERIFY_WITH_TIMEOUT(shows(onScreen(window), inPage, QColor(0xff, 0x88, 0x00)), 15000);
    QVERIFY(shows(onScreen(window), inPicture, QColor(0, 0, 255)));
}

void TestWebBrowser::stopEndsALoadThatHangs() {
    TWebBrowser browser;
    browser.resize(400, 300);
    browser.show();
    QSignalSpy started(&browser, &TWebBrowser::loadStarted);
    QSignalSpy finished(&browser, &TWebBrowser::loadFinished);
    browser.Navigate(server_->url("/hangs.htm").toString());
    QTRY_VERIFY_WITH_TIMEOUT(server_->requestCount("/hangs.htm") >= 1, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(started.count() >= 1, 30000);
    QCOMPARE(finished.count(), 0); // the server never answers
    browser.Stop();
    QTRY_VERIFY_WITH_TIMEOUT(finished.count() >= 1, 10000);
    QCOMPARE(finished.last().at(0).toBool(), false);
}

QTEST_MAIN(TestWebBrowser)
#include "test_webbrowser.moc"
