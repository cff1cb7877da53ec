// The program's windows with skinned controls in each built-in skin: the main window, the
// station editor, the loading window and a message box, grabbed and checked at known controls;
// "Use Skins" off gives every control its system look and its colours back.
#include "ui_EditStation.h"
#include "ui_MainWindow.h"

#include "app/catalogue/LoadStationsWindow.h"
#include "app/forms/EditStation.h"
#include "app/forms/MainWindow.h"
#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"
#include "skin/draw/controls/SkinAttach.h"
#include "skin/draw/controls/SkinControl.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/StyleKit.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

using namespace orvik;

namespace {

const QStringList BuiltIn{"nightfall", "pebble", "ember", "lagoon"};

QString shotDir() {
    const QString dir = QStringLiteral(ORVIK_BUILD_DIR "/tests/skinwindows/");
    QDir().mkpath(dir);
    return dir;
}

QRgb rgb(QRgb p) {
    return p & 0xFFFFFFu;
}

// The left edge of a push button half way down shows the button picture's frame there (over
// the face colour where the picture is see-through); empty when it does, else what differs.
QString buttonEdge(const QImage& shot, const QWidget* button, const TSkinData& skin, int cell) {
    const TDataSkinButton& b = *skin.Buttons();
    const QPoint at = button->mapTo(button->window(), QPoint(1, button->height() / 2));
    // The frame fitted to the button's size by its margins, over the face colour.
    QImage reference(button->size(), QImage::Format_RGB32);
    reference.fill(style::FaceColour(skin));
    {
        QPainter p(&reference);
        style::DrawCell(p, b, cell, reference.rect());
    }
    const QRgb want = reference.pixel(1, button->height() / 2);
    const QRgb got = shot.pixel(at);
    if (rgb(got) == rgb(want))
        return {};
    return QStringLiteral("%1 at %2,%3: %4 instead of %5")
        .arg(button->objectName())
        .arg(at.x())
        .arg(at.y())
        .arg(rgb(got), 6, 16)
        .arg(rgb(want), 6, 16);
}

// No control of the window is painted by the skin style any more.
bool noSkinStyleLeft(const QWidget* window) {
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isWindow() && qobject_cast<TSkinStyle*>(w->style()))
            return false;
    }
    return true;
}

} // namespace

class TestSkinWindows : public QObject {
    Q_OBJECT
private slots:
    void mainWindowInEverySkin();
    void editorLoadingWindowAndMessageBox();
};

void TestSkinWindows::mainWindowInEverySkin() {
    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    TfrmMain w;
    w.resize(1000, 680);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    Ui::TfrmMain& u = w.form();
    const QPalette before = u.tvStations->palette();
    const QColor beforeWindow = w.palette().color(QPalette::Window);
    for (const QString& name : BuiltIn) {
        w.SkinEngine->SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") + name +
                                  QStringLiteral(".skn"));
        QVERIFY(!w.SkinEngine->Loading());
        AttachSkinControls(&w, *w.SkinEngine);
        ReskinControls(&w);
        QVERIFY(qobject_cast<TSkinStyle*>(u.cmdPlay->style()));
        QVERIFY(TSkinControl::Of(u.cbLanguage));
        QVERIFY(TSkinControl::Of(u.rbCategory));
        QVERIFY(TSkinControl::Of(u.tvStations));
        const QImage shot = w.grab().toImage();
        shot.save(shotDir() + QStringLiteral("main-") + name + QStringLiteral(".png"));
        const QString edge = buttonEdge(shot, u.cmdStop, *w.SkinEngine, buttoncell::Normal);
        QVERIFY2(edge.isEmpty(), qPrintable(name + QLatin1Char(' ') + edge));
        // The station tree is written in the skin's text colour on its field colour.
        QCOMPARE(u.tvStations->palette().color(QPalette::Base),
                 style::SkinColour(w.SkinEngine->WindowColor()));
        QCOMPARE(u.tvStations->palette().color(QPalette::Text),
                 style::SkinColour(w.SkinEngine->WindowTextColor()));
        QCOMPARE(w.palette().color(QPalette::Window), style::FaceColour(*w.SkinEngine));
    }
    // "Use Skins" off: the system look and colours come back.
    DetachSkinControls(&w);
    QVERIFY(noSkinStyleLeft(&w));
    QCOMPARE(u.tvStations->palette(), before);
    QCOMPARE(w.palette().color(QPalette::Window), beforeWindow);
    QVERIFY(!TSkinControl::Of(u.cmdPlay));
    w.grab().toImage().save(shotDir() + QStringLiteral("main-off.png"));
}

void TestSkinWindows::editorLoadingWindowAndMessageBox() {
    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    TfrmMain w;
    for (const QString& name : BuiltIn) {
        TSkinData& skin = *w.SkinEngine;
        skin.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") + name + QStringLiteral(".skn"));
        QVERIFY(!skin.Loading());
        {
            TfrmEditStation editor(&w, w.catalogue());
            editor.show();
            QVERIFY(QTest::qWaitForWindowExposed(&editor));
            AttachSkinControls(&editor, skin);
            const QImage shot = editor.grab().toImage();
            shot.save(shotDir() + QStringLiteral("editor-") + name + QStringLiteral(".png"));
            auto* ok = editor.findChild<QPushButton*>(QStringLiteral("cmdCancel"));
            QVERIFY(ok);
            const QString edge = buttonEdge(shot, ok, skin, buttoncell::Normal);
            QVERIFY2(edge.isEmpty(), qPrintable(name + QLatin1Char(' ') + edge));
            QVERIFY(TSkinControl::Of(editor.findChild<QWidget*>(QStringLiteral("txtName"))));
            QVERIFY(TSkinControl::Of(editor.findChild<QWidget*>(QStringLiteral("cbFormat"))));
        }
        {
            TfrmLoadStations loading;
            loading.show();
            QVERIFY(QTest::qWaitForWindowExposed(&loading));
            AttachSkinControls(&loading, skin);
            QCOMPARE(loading.palette().color(QPalette::Window), style::FaceColour(skin));
            loading.grab().toImage().save(shotDir() + QStringLiteral("loading-") + name +
                                          QStringLiteral(".png"));
        }
        {
            QMessageBox box(QMessageBox::Question, QStringLiteral("Orvik"),
                            QStringLiteral("Delete the station?"),
                            QMessageBox::Yes | QMessageBox::No);
            box.show();
            QVERIFY(QTest::qWaitForWindowExposed(&box));
            AttachSkinControls(&box, skin);
            const QImage shot = box.grab().toImage();
            shot.save(shotDir() + QStringLiteral("message-") + name + QStringLiteral(".png"));
            QAbstractButton* yes = box.button(QMessageBox::Yes);
            const QString edge = buttonEdge(shot, yes, skin, buttoncell::Normal);
            QVERIFY2(edge.isEmpty() || buttonEdge(shot, yes, skin, buttoncell::Default).isEmpty(),
                     qPrintable(name + QLatin1Char(' ') + edge));
            DetachSkinControls(&box);
            QVERIFY(!qobject_cast<TSkinStyle*>(box.button(QMessageBox::Yes)->style()));
        }
    }
}

QTEST_MAIN(TestSkinWindows)
#include "test_skinwindows.moc"
