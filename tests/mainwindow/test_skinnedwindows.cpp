// The program's own windows in every built-in skin: the main window and the station editor
// grabbed and sampled at their controls against the skin's cells, and "Use Skins" switched off
// giving every control the look and the colours it had before.
#include "ui_EditStation.h"
#include "ui_MainWindow.h"

#include "app/forms/EditStation.h"
#include "app/forms/ExportDialog.h"
#include "app/forms/MainWindow.h"
#include "app/forms/ProgressWindow.h"
#include "app/player/PlayerFactory.h"
#include "core/MessagePresenter.h"
#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"
#include "skin/draw/PopupMenuPaint.h"
#include "skin/draw/WinSkinForm.h"
#include "skin/draw/controls/SkinControl.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/StyleKit.h"
#include "skin/draw/style/StyleState.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/skinparts/PartsKit.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTreeView>
#include <QtTest>

using namespace orvik;
using namespace partstest;

namespace {

const QString kBuiltSkins = QStringLiteral(ORVIK_BUILD_DIR "/skins/");

QImage grabOf(QWidget* w) {
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A program folder with the sample catalogue, one built skin and the settings that pick it.
struct SkinnedFolder {
    SkinnedFolder(const QString& skin, bool active) {
        QDir().mkpath(folder.path() + QStringLiteral("skins"));
        QFile::copy(kBuiltSkins + skin + QStringLiteral(".skn"),
                    folder.path() + QStringLiteral("skins/") + skin + QStringLiteral(".skn"));
        QFile f(folder.path() + QStringLiteral("settings.ini"));
        if (f.open(QIODevice::WriteOnly))
            f.write(QStringLiteral("[Skins]\nSkin=%1.skn\nActive=%2\n")
                        .arg(skin)
                        .arg(active ? 1 : 0)
                        .toUtf8());
    }
    ProgramFolderFixture folder{ProgramFolderFixture::Catalogue::Sample};
};

bool skinned(QWidget* window) {
    const TWinSkinForm* form = TWinSkinForm::Of(window);
    return form && form->LifeState() == TWinSkinForm::Skinned;
}

// The controls sampled in the main window, in the order they are checked.
struct MainControls {
    explicit MainControls(TfrmMain& w)
        : button(w.form().Button4), edit(w.form().txtFind), tabs(w.form().PageControl->tabBar()),
          slider(w.form().trbVolume), view(w.findChild<QTreeView*>(QStringLiteral("tvStations"))) {}
    QList<QWidget*> all() const { return {button, edit, tabs, slider, view, bar()}; }
    QScrollBar* bar() const { return static_cast<QAbstractScrollArea*>(view)->verticalScrollBar(); }
    QWidget* button;
    QWidget* edit;
    QTabBar* tabs;
    QSlider* slider;
    QTreeView* view;
};

// How many places along the image a frame of the element matches 1:1, on the given row.
int matchesAlong(const QImage& img, const TDataSkinObject& e, int k, int y = 0) {
    int hits = 0;
    for (int x = 0; x + e.FrameWidth() <= img.width(); ++x)
        hits += cellMismatches(img, QPoint(x, y), e, k) == 0;
    return hits;
}

void checkMainWindow(TfrmMain& w, const MainControls& c, const TSkinData& skin,
                     const QString& name) {
    const QImage img = grabOf(&w);
    keepShot(img, QStringLiteral("main-") + name);
    const auto at = [&](QWidget* control, QPoint p = {}) { return control->mapTo(&w, p); };
    // A push button: its frame's corners are the Buttons element's normal cell.
    QCOMPARE(cornerMismatches(img, at(c.button), *skin.Buttons(), buttoncell::Normal), 0);
    // The search edit: the flat border, the field inside it.
    const int mid = c.edit->height() / 2;
    QCOMPARE(rgb(img.pixel(at(c.edit, {0, mid}))),
             rgb(orvik::style::SkinColour(skin.ButtonShadowColor()).rgb()));
    QCOMPARE(rgb(img.pixel(at(c.edit, {2, 2}))),
             rgb(orvik::style::SkinColour(skin.WindowColor()).rgb()));
    // The station tree's scroll bar: its up arrow is the skin's arrow cell.
    QVERIFY(c.bar()->isVisible());
    QCOMPARE(cellMismatches(img, at(c.bar()), *skin.Scrollbar(), scrollcell::Up), 0);
    // The current tab (Stations) in the skin's selected tab cell.
    QCOMPARE(cornerMismatches(img, at(c.tabs, c.tabs->tabRect(0).topLeft()), *skin.Tabs(),
                              tabcell::Selected),
             0);
    // The three tabs stay whole in the narrow page control.
    const QRect lastTab = c.tabs->tabRect(c.tabs->count() - 1);
    QVERIFY2(lastTab.right() < c.tabs->width(), qPrintable(QString::number(lastTab.right())));
    // The volume slider's thumb, once.
    QCOMPARE(matchesAlong(grabOf(c.slider), *skin.TrackbarThumbHorz(), slidercell::Normal), 1);
}

void checkEditor(TfrmEditStation& d, const TSkinData& skin, const QString& name) {
    const QImage img = grabOf(&d);
    keepShot(img, QStringLiteral("editor-") + name);
    Ui::TfrmEditStation& u = d.form();
    QCOMPARE(
        cornerMismatches(img, u.cmdOK->mapTo(&d, QPoint()), *skin.Buttons(), buttoncell::Normal),
        0);
    const QPoint edit = u.txtURL->mapTo(&d, QPoint(0, u.txtURL->height() / 2));
    QCOMPARE(rgb(img.pixel(edit)), rgb(orvik::style::SkinColour(skin.ButtonShadowColor()).rgb()));
    // The combo box's left edge half way down is the composite's.
    if (const TDataSkinObject* combo = skin.ComboButton(); combo && !combo->Image.isNull()) {
        const QRect f = combo->FrameRect(combocell::Normal);
        const QPoint left = u.cbFormat->mapTo(&d, QPoint(0, u.cbFormat->height() / 2));
        QCOMPARE(rgb(img.pixel(left)), rgb(combo->Image.pixel(f.left(), f.height() / 2)));
    }
}

// A right click on the caption opens the window's system menu, painted from the skin's menu
// background, with its entries; Escape closes it.
void checkSystemMenu(TfrmMain& w, const TSkinData& skin, const QString& name) {
    const QPoint caption(w.width() / 3, std::max(1, w.contentsMargins().top() / 2));
    QTest::mouseClick(&w, Qt::RightButton, {}, caption);
    QMenu* menu = nullptr;
    QTRY_VERIFY((menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())));
    QCOMPARE(menu->objectName(), QStringLiteral("SystemMenu"));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << a->text().remove(u'&');
    QVERIFY2(texts.contains(QStringLiteral("Close")), qPrintable(texts.join(u',')));
    const QImage img = grabOf(menu);
    keepShot(img, QStringLiteral("sysmenu-") + name);
    // The corners are the menu background picture's, as the skin draws any popup of that size.
    const QImage back = orvik::PopupBackground(skin, menu->size());
    QVERIFY(!back.isNull());
    for (const QPoint& at : {QPoint(1, 1), QPoint(menu->width() - 2, menu->height() - 2)})
        QCOMPARE(rgb(img.pixel(at)), rgb(back.pixel(at)));
    QTest::keyClick(menu, Qt::Key_Escape);
    QTRY_VERIFY(!menu->isVisible());
}

// The export dialog: its checked choice shows the skin's checked radio glyph (every opaque pixel
// of the picture's cell), its buttons the skin's button cells.
void checkExportDialog(TfrmMain& w, const TSkinData& skin, const QString& name) {
    TExportDialog dialog(&w, QStringLiteral("Afghanistan"), 2, 0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTRY_VERIFY(skinned(&dialog));
    const QImage img = grabOf(&dialog);
    keepShot(img, QStringLiteral("export-") + name);
    QRadioButton* chosen = nullptr;
    for (QRadioButton* r : dialog.findChildren<QRadioButton*>())
        if (r->isChecked() && !r->hasFocus())
            chosen = r;
    QVERIFY(chosen);
    QStyleOptionButton o;
    o.initFrom(chosen);
    const QRect glyph =
        chosen->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &o, chosen);
    const TDataSkinButton& b = *skin.Buttons();
    const int frames = orvik::style::RadioFrames(b);
    const QRect cell = orvik::FrameRect(b.RadioImage.size(), frames,
                                        frames >= radiocell::FullCount ? radiocell::FullChecked
                                                                       : radiocell::Checked);
    const QPoint at =
        chosen->mapTo(&dialog, glyph.topLeft() + QPoint((glyph.width() - cell.width()) / 2,
                                                        (glyph.height() - cell.height()) / 2));
    QCOMPARE(pictureMismatches(img, at, b.RadioImage, cell), 0);
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    QVERIFY(cancel && !cancel->hasFocus());
    QCOMPARE(cornerMismatches(img, cancel->mapTo(&dialog, QPoint()), b, buttoncell::Normal), 0);
}

// The loading window half way: its Cancel button and the filled part of its bar from the skin.
void checkLoadingWindow(TfrmMain& w, const TSkinData& skin, const QString& name) {
    const int showAfter = std::exchange(TProgressWindow::showAfterMs, 0);
    TProgressWindow loading(&w, QStringLiteral("Loading the catalogue"));
    loading.Step(500, 1000);
    TProgressWindow::showAfterMs = showAfter;
    QVERIFY(QTest::qWaitForWindowExposed(&loading));
    QTRY_VERIFY(skinned(&loading));
    const QImage img = grabOf(&loading);
    keepShot(img, QStringLiteral("loading-") + name);
    auto* cancel = loading.findChild<QPushButton*>(QStringLiteral("cmdCancel"));
    auto* bar = loading.findChild<QProgressBar*>();
    QVERIFY(cancel && bar);
    // Cancel has the focus: the skin's focused frame.
    QVERIFY(cancel->hasFocus());
    QCOMPARE(cornerMismatches(img, cancel->mapTo(&loading, QPoint()), *skin.Buttons(),
                              buttoncell::Default),
             0);
    QCOMPARE(
        cornerMismatches(img, bar->mapTo(&loading, QPoint()), *skin.Progress(), progresscell::Bar),
        0);
}

// A message box through the program's own presenter, answered once it is skinned: its button
// is the skin's.
void checkMessageBox(const TSkinData& skin, const QString& name) {
    struct Restore {
        orvik::MessagePresenter* previous = &orvik::presenter();
        ~Restore() { orvik::setPresenter(previous); }
    } restore;
    orvik::setPresenter(nullptr);
    int buttonMismatches = -1;
    bool wasSkinned = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        wasSkinned = QTest::qWaitFor([box] { return skinned(box); });
        // OK has the focus: the skin's focused frame.
        if (QAbstractButton* ok = box->buttons().value(0); wasSkinned && ok && ok->hasFocus()) {
            const QImage img = grabOf(box);
            keepShot(img, QStringLiteral("message-") + name);
            buttonMismatches = cornerMismatches(img, ok->mapTo(box, QPoint()), *skin.Buttons(),
                                                buttoncell::Default);
        }
        box->accept();
    });
    orvik::ShowMessage(QStringLiteral("The catalogue was saved."));
    QVERIFY(wasSkinned);
    QCOMPARE(buttonMismatches, 0);
}

} // namespace

class TestSkinnedWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyBuiltInSkin_data();
    void everyBuiltInSkin();
};

void TestSkinnedWindows::initTestCase() {
    QVERIFY2(QDir(kBuiltSkins).entryList({QStringLiteral("*.skn")}).size() >= 4,
             "the built skins are missing");
    // The pointer stays off the windows: no control is hot in one grab and not in the next.
    QCursor::setPos(0, 0);
}

void TestSkinnedWindows::everyBuiltInSkin_data() {
    QTest::addColumn<QString>("skin");
    for (const QString& name : builtSkinNames())
        QTest::newRow(qPrintable(name)) << name;
}

void TestSkinnedWindows::everyBuiltInSkin() {
    QFETCH(QString, skin);
    SkinnedFolder folder(skin, false);
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    w.move(200, 50);
    w.resize(1000, 700);
    w.show();
    // As in the running program, the skin manager's commands run once a window was active.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    MainControls c(w);
    QVERIFY(c.view);
    c.view->expandAll();
    QTRY_VERIFY(c.bar()->isVisible());
    QVERIFY(!TWinSkinForm::Of(&w));
    // No caret blinks in the search edit between the grabs.
    c.view->setFocus();
    const QColor plainFace = w.palette().color(QPalette::Window);
    // The system style's first paint of a slider (before its pictures are cached) draws the
    // tick marks in another colour than every later one: the grab kept is the second.
    QList<QImage> plain;
    for (QWidget* control : c.all())
        grabOf(control);
    for (QWidget* control : c.all())
        plain << grabOf(control);

    // "Use Skins" on: every sampled control is drawn from the skin.
    w.form().mnuUseSkins->trigger();
    QTRY_VERIFY(skinned(&w));
    const TSkinData& data = *w.SkinEngine;
    for (QWidget* control : c.all()) {
        QVERIFY2(qobject_cast<TSkinStyle*>(control->style()), control->metaObject()->className());
        QVERIFY(TSkinControl::Of(control) || control == c.bar());
    }
    QVERIFY(w.form().PageControl->styleSheet().isEmpty());
    QCOMPARE(w.palette().color(QPalette::Window), orvik::style::FaceColour(data));
    checkMainWindow(w, c, data, skin);
    checkSystemMenu(w, data, skin);

    // The station editor opened from it is skinned as well.
    {
        TfrmEditStation editor(&w, w.catalogue());
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTRY_VERIFY(skinned(&editor));
        checkEditor(editor, data, skin);
    }
    checkExportDialog(w, data, skin);
    checkLoadingWindow(w, data, skin);
    checkMessageBox(data, skin);

    // Off again: the system style and the colours the controls had, pixel for pixel.
    w.form().mnuUseSkins->trigger();
    QTRY_VERIFY(!TWinSkinForm::Of(&w));
    QCOMPARE(w.palette().color(QPalette::Window), plainFace);
    QVERIFY(!w.form().PageControl->styleSheet().isEmpty());
    // The editor took the focus; the tree has it again as in the first grab.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    c.view->setFocus();
    const QList<QWidget*> controls = c.all();
    for (int i = 0; i < controls.size(); ++i) {
        QVERIFY(!TSkinControl::Of(controls[i]));
        QVERIFY2(!qobject_cast<TSkinStyle*>(controls[i]->style()),
                 controls[i]->metaObject()->className());
        const QImage back = grabOf(controls[i]);
        if (back != plain[i]) {
            keepShot(plain[i], QStringLiteral("plain-%1").arg(i));
            keepShot(back, QStringLiteral("back-%1").arg(i));
        }
        QVERIFY2(back == plain[i], controls[i]->metaObject()->className());
    }
}

QTEST_MAIN(TestSkinnedWindows)
#include "test_skinnedwindows.moc"
