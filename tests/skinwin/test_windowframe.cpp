// Real skinned windows: the frame taken over and given back at the same client size, the
// frame's pixels against the skin's cells in the active and inactive look, the caption
// buttons under a real mouse, double clicks, drags handed to the window manager, the system
// menu, the outline, skin switches and the manager's switch-off and switch-on.
#include "tests/frame/FrameTestSkin.h"

#include "skin/data/SkinCells.h"
#include "skin/draw/FrameMouse.h"
#include "skin/draw/SkinCaption.h"
#include "skin/draw/SkinManage.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/WinSkinForm.h"
#include "skin/draw/WindowFrame.h"

#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

using namespace frametest;

namespace {

// Close, maximise and minimise from the right, the icon from the left, and one button whose
// action only the window knows.
const QList<ButtonSpec> kButtons{{"BUTTONCLOSE", 0, 1, 20, 6, 0},
                                 {"BUTTONMAX", 1, 1, 40, 6, 0},
                                 {"BUTTONMIN", 2, 1, 60, 6, 0},
                                 {"BUTTONICON", 3, 0, 8, 6, 0},
                                 {"BUTTONOWN", 42, 1, 80, 6, 0}};
enum { CloseButton, MaxButton, MinButton, IconButton, OwnButton };

// A window that answers the frame's questions and records the actions it is told about.
class TAskingWindow : public QWidget {
public:
    QList<qintptr> actions;

protected:
    bool event(QEvent* e) override {
        if (int(e->type()) == orvik::SKM_BUTTONACTION) {
            actions << static_cast<orvik::TSkinMessage*>(e)->wParam;
            return true;
        }
        return QWidget::event(e);
    }
};

std::unique_ptr<TAskingWindow> laidOutWindow(QSize client = {300, 200}) {
    auto w = std::make_unique<TAskingWindow>();
    w->setWindowTitle(QStringLiteral("Frame test"));
    auto* layout = new QVBoxLayout(w.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QPushButton(QStringLiteral("Inside"), w.get()));
    w->resize(client);
    return w;
}

// The usual window of these tests: laid out, shown (active or only exposed), then skinned
// with the buttons above.
struct SkinnedWindow {
    std::unique_ptr<TSkinData> skin = makeSkin(kButtons);
    std::unique_ptr<TAskingWindow> w = laidOutWindow();
    TWinSkinForm* form = nullptr;

    // False when the window never came up as asked.
    bool start(bool active) {
        w->show();
        if (active) {
            w->activateWindow();
            if (!QTest::qWaitForWindowActive(w.get()))
                return false;
        } else if (!QTest::qWaitForWindowExposed(w.get())) {
            return false;
        }
        form = new TWinSkinForm(w.get(), skin.get());
        return true;
    }
};

QColor pixel(const QImage& image, QPoint p) {
    return image.pixelColor(p);
}

QPoint centre(TWindowFrame& frame, int button) {
    return frame.Layout().buttons.at(button).rect.center();
}

// The place of a caption button in the layout, found by its action.
int placeOf(TWindowFrame& frame, int action) {
    const auto& buttons = frame.Layout().buttons;
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i].button->Action == action)
            return i;
    return -1;
}

bool frameless(const QWidget& w) {
    return w.windowFlags().testFlag(Qt::FramelessWindowHint);
}

} // namespace

class TestWindowFrame : public QObject {
    Q_OBJECT
private slots:
    void init() { TSkinCaption().SetActive(true); }
    void takesTheFrameAndGivesItBack();
    void windowWithoutLayoutMovesItsInside();
    void windowWithoutCaptionKeepsItsLook();
    void framePixelsActiveAndInactive();
    void buttonsUnderTheMouse();
    void doubleClicks();
    void dragsStartOnTheFirstMove();
    void systemMenu();
    void outlineCutsSeeThroughPixels();
    void newSkinKeepsClientSize();
    void captionPainterSwitch();
    void managerSwitchesOffAndOn();
    void messageBoxTakesTheDialogComponent();
};

void TestWindowFrame::takesTheFrameAndGivesItBack() {
    auto skin = makeSkin(kButtons);
    auto w = laidOutWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QPoint inside = w->findChild<QPushButton*>()->pos();

    auto* form = new TWinSkinForm(w.get(), skin.get());
    TWindowFrame* frame = form->Frame();
    QVERIFY(frame && frame->Hooked());
    QVERIFY(frameless(*w));
    QCOMPARE(w->contentsMargins(), QMargins(6, 24, 5, 3));
    QCOMPARE(w->size(), QSize(311, 227));
    QCOMPARE(frame->ClientSize(), QSize(300, 200));
    // The layout puts the inside within the frame.
    QTRY_COMPARE(w->findChild<QPushButton*>()->pos(), inside + QPoint(6, 24));

    form->Unhook();
    QVERIFY(!frameless(*w));
    QCOMPARE(w->contentsMargins(), QMargins());
    QCOMPARE(w->size(), QSize(300, 200));
    QVERIFY(w->mask().isEmpty());
    form->Unhook(); // twice is harmless
    QCOMPARE(w->size(), QSize(300, 200));
}

void TestWindowFrame::windowWithoutLayoutMovesItsInside() {
    auto skin = makeSkin(kButtons);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Designed"));
    auto* child = new QLabel(QStringLiteral("at 10,10"), &w);
    child->move(10, 10);
    w.setFixedSize(200, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* form = new TWinSkinForm(&w, skin.get());
    QCOMPARE(child->pos(), QPoint(16, 34));
    QCOMPARE(w.size(), QSize(211, 127));
    QCOMPARE(w.maximumSize(), QSize(211, 127));
    form->Unhook();
    QCOMPARE(child->pos(), QPoint(10, 10));
    QCOMPARE(w.size(), QSize(200, 100));
    QCOMPARE(w.minimumSize(), QSize(200, 100));
}

void TestWindowFrame::windowWithoutCaptionKeepsItsLook() {
    auto skin = makeSkin(kButtons);
    QWidget splash(nullptr, Qt::SplashScreen);
    splash.resize(120, 80);
    splash.show();
    auto* form = new TWinSkinForm(&splash, skin.get());
    QVERIFY(!form->Frame());
    QCOMPARE(splash.size(), QSize(120, 80));
    QCOMPARE(splash.contentsMargins(), QMargins());
}

void TestWindowFrame::framePixelsActiveAndInactive() {
    SkinnedWindow s;
    QVERIFY(s.start(true));
    auto& w = s.w;
    TWinSkinForm* form = s.form;
    TWindowFrame* frame = form->Frame();
    const int width = w->width(), height = w->height();

    QImage shot = w->grab().toImage();
    QCOMPARE(pixel(shot, {2, 120}), LeftActive);
    QCOMPARE(pixel(shot, {width - 2, 120}), RightActive);
    QCOMPARE(pixel(shot, {150, height - 1}), BottomActive);
    // The title between the caption text's plate and the buttons.
    const QRect text = frame->Layout().text;
    QVERIFY(!text.isEmpty());
    QCOMPARE(pixel(shot, {text.right() + 4, 2}), TopActive);
    QCOMPARE(pixel(shot, {text.left() + 1, 12}), PlateActive);
    QCOMPARE(pixel(shot, centre(*frame, placeOf(*frame, 0))), ButtonCells[0]);

    // Another window takes the focus: the frame turns to its inactive cells.
    auto other = laidOutWindow({100, 100});
    other->move(w->x() + width + 20, w->y());
    other->show();
    other->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(other.get()));
    QTRY_VERIFY(!frame->State().active);
    shot = w->grab().toImage();
    QCOMPARE(pixel(shot, {2, 120}), LeftInactive);
    QCOMPARE(pixel(shot, {width - 2, 120}), RightInactive);
    QCOMPARE(pixel(shot, {150, height - 1}), BottomInactive);
    QCOMPARE(pixel(shot, {text.right() + 4, 2}), TopInactive);
    QCOMPARE(pixel(shot, centre(*frame, placeOf(*frame, 0))), ButtonCells[3]);
}

// The hover check reads where the real pointer is: it is put there as well as the move sent.
static void pointTo(QWidget* w, QPoint p) {
    QCursor::setPos(w->mapToGlobal(p));
    QTest::mouseMove(w, p);
}

void TestWindowFrame::buttonsUnderTheMouse() {
    SkinnedWindow s;
    QVERIFY(s.start(true));
    auto& w = s.w;
    TWinSkinForm* form = s.form;
    TWindowFrame& frame = *form->Frame();
    const int max = placeOf(frame, orvik::action::Maximise);
    const int own = placeOf(frame, 42);

    pointTo(w.get(), centre(frame, max));
    QTRY_COMPARE(frame.HotButton(), max);
    QCOMPARE(frame.HotLook(), orvik::TButtonLook::Hot);
    QCOMPARE(pixel(w->grab().toImage(), centre(frame, max)), ButtonCells[2]);
    QVERIFY(form->FrameMouse()->HoverTimerActive());

    QTest::mousePress(w.get(), Qt::LeftButton, {}, centre(frame, max));
    QCOMPARE(frame.HotLook(), orvik::TButtonLook::Pressed);
    QCOMPARE(pixel(w->grab().toImage(), centre(frame, max)), ButtonCells[1]);
    QVERIFY(!w->isMaximized());
    QTest::mouseRelease(w.get(), Qt::LeftButton, {}, centre(frame, max));
    QTRY_VERIFY(w->isMaximized());
    // The button moved with the wider window; a second click restores.
    QTest::mouseClick(w.get(), Qt::LeftButton, {}, centre(frame, max));
    QTRY_VERIFY(!w->isMaximized());

    // Pressed, then let go elsewhere: nothing happens.
    const int close = placeOf(frame, orvik::action::Close);
    QTest::mousePress(w.get(), Qt::LeftButton, {}, centre(frame, close));
    pointTo(w.get(), QPoint(150, 12));
    QCOMPARE(frame.HotLook(), orvik::TButtonLook::Idle);
    QTest::mouseRelease(w.get(), Qt::LeftButton, {}, QPoint(150, 12));
    QVERIFY(w->isVisible());

    // An action of the window's own is posted to it.
    QTest::mouseClick(w.get(), Qt::LeftButton, {}, centre(frame, own));
    QTRY_COMPARE(w->actions, QList<qintptr>{42});

    // Leaving the frame ends the hot look. (Buttons light up in the active window only; the
    // other tests' windows on the same display may have taken the focus meanwhile.)
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    pointTo(w.get(), centre(frame, close));
    QTRY_COMPARE(frame.HotButton(), close);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w.get(), &leave);
    QCOMPARE(frame.HotButton(), -1);

    QTest::mouseClick(w.get(), Qt::LeftButton, {}, centre(frame, close));
    QTRY_VERIFY(!w->isVisible());
}

void TestWindowFrame::doubleClicks() {
    SkinnedWindow s;
    QVERIFY(s.start(false));
    auto& w = s.w;
    TWinSkinForm* form = s.form;
    TWindowFrame& frame = *form->Frame();
    const QPoint caption(frame.Layout().text.right() + 10, 12);
    QCOMPARE(orvik::HitTest(frame.Layout(), caption).part, orvik::THitPart::Caption);
    QTest::mouseDClick(w.get(), Qt::LeftButton, {}, caption);
    QTRY_VERIFY(w->isMaximized());
    QTest::mouseDClick(w.get(), Qt::LeftButton, {}, caption);
    QTRY_VERIFY(!w->isMaximized());

    // A window that cannot be maximised stays as it is.
    w->setFixedSize(w->size());
    QTest::mouseDClick(w.get(), Qt::LeftButton, {}, caption);
    QTest::qWait(0);
    QVERIFY(!w->isMaximized());

    QTest::mouseDClick(w.get(), Qt::LeftButton, {}, centre(frame, placeOf(frame, 3)));
    QTRY_VERIFY(!w->isVisible());
}

void TestWindowFrame::dragsStartOnTheFirstMove() {
    SkinnedWindow s;
    QVERIFY(s.start(false));
    auto& w = s.w;
    TWinSkinForm* form = s.form;
    TWindowFrame& frame = *form->Frame();
    QList<Qt::Edges> drags;
    form->FrameMouse()->SetSystemDrag([&drags](QWindow*, Qt::Edges edges) {
        drags << edges;
        return true;
    });
    const QPoint caption(frame.Layout().text.right() + 10, 12);
    QTest::mousePress(w.get(), Qt::LeftButton, {}, caption);
    QVERIFY(drags.isEmpty()); // never on the press itself
    QTest::mouseMove(w.get(), caption + QPoint(3, 0));
    QCOMPARE(drags, QList<Qt::Edges>{Qt::Edges()});
    QTest::mouseMove(w.get(), caption + QPoint(9, 0));
    QCOMPARE(drags.size(), 1); // once per press
    QTest::mouseRelease(w.get(), Qt::LeftButton, {}, caption);

    drags.clear();
    const QPoint rightEdge(w->width() - 2, 120);
    QTest::mousePress(w.get(), Qt::LeftButton, {}, rightEdge);
    QTest::mouseMove(w.get(), rightEdge + QPoint(1, 0));
    QTest::mouseRelease(w.get(), Qt::LeftButton, {}, rightEdge);
    const QPoint corner(w->width() - 1, w->height() - 1);
    QTest::mousePress(w.get(), Qt::LeftButton, {}, corner);
    QTest::mouseMove(w.get(), corner - QPoint(1, 1));
    QTest::mouseRelease(w.get(), Qt::LeftButton, {}, corner);
    QCOMPARE(drags, (QList<Qt::Edges>{Qt::RightEdge, Qt::RightEdge | Qt::BottomEdge}));

    // A maximised window is neither moved by its caption nor resized.
    drags.clear();
    w->showMaximized();
    QTRY_VERIFY(w->isMaximized());
    QTest::mousePress(w.get(), Qt::LeftButton, {}, caption);
    QTest::mouseMove(w.get(), caption + QPoint(20, 20));
    QTest::mouseRelease(w.get(), Qt::LeftButton, {}, caption + QPoint(20, 20));
    QVERIFY(drags.isEmpty());
}

void TestWindowFrame::systemMenu() {
    SkinnedWindow s;
    QVERIFY(s.start(true));
    auto& w = s.w;
    TWinSkinForm* form = s.form;
    TWindowFrame& frame = *form->Frame();
    TFrameMouse& mouse = *form->FrameMouse();
    const QPoint caption(frame.Layout().text.right() + 10, 12);

    QTest::mousePress(w.get(), Qt::RightButton, {}, caption);
    QMenu* menu = mouse.SystemMenu();
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    QStringList enabled;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->isEnabled())
            enabled << a->text();
    QCOMPARE(enabled, (QStringList{"&Move", "&Size", "Mi&nimize", "Ma&ximize", "&Close"}));
    menu->hide();

    // Alt+Space opens it under the title bar.
    QTest::keyClick(w->findChild<QPushButton*>(), Qt::Key_Space, Qt::AltModifier);
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), w->mapToGlobal(frame.Layout().Client().topLeft()));
    menu->hide();

    // The icon opens it; a second click within the double-click time closes the window.
    const QPoint icon = centre(frame, placeOf(frame, 3));
    QTest::mouseClick(w.get(), Qt::LeftButton, {}, icon);
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
    QTest::mouseClick(w.get(), Qt::LeftButton, {}, icon);
    QTRY_VERIFY(!w->isVisible());
}

void TestWindowFrame::outlineCutsSeeThroughPixels() {
    auto plain = makeSkin(kButtons);
    auto w = laidOutWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* form = new TWinSkinForm(w.get(), plain.get());
    // Nothing see-through: no shape at all.
    QCOMPARE(form->Frame()->Outline(), QRegion(w->rect()));
    QVERIFY(w->mask().isEmpty());
    form->Unhook();

    auto seeThrough = makeSkin(kButtons, true);
    auto* form2 = new TWinSkinForm(w.get(), seeThrough.get());
    const QRegion outline = form2->Frame()->Outline();
    QVERIFY(!outline.contains(QPoint(0, 0)));
    QVERIFY(outline.contains(QPoint(1, 0)));
    QVERIFY(outline.contains(QPoint(0, 1)));
    QCOMPARE(w->mask(), outline);
    // A new size builds it for that size.
    w->resize(w->width() + 40, w->height());
    QTRY_VERIFY(form2->Frame()->Outline().contains(QPoint(w->width() - 1, 60)));
    form2->Unhook();
    QVERIFY(w->mask().isEmpty());

    // The round corners of our own skin leave the desktop showing.
    TSkinData lagoon;
    lagoon.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/lagoon.skn"));
    QVERIFY(lagoon.Left() && lagoon.Left()->HasImage());
    auto* form3 = new TWinSkinForm(w.get(), &lagoon);
    QVERIFY(!w->mask().contains(QPoint(0, 0)));
    QVERIFY(!w->mask().contains(QPoint(w->width() - 1, 0)));
    QVERIFY(w->mask().contains(QPoint(w->width() / 2, w->height() / 2)));
    form3->Unhook();
}

void TestWindowFrame::newSkinKeepsClientSize() {
    TSkinData skin;
    skin.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/pebble.skn"));
    auto w = laidOutWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* form = new TWinSkinForm(w.get(), &skin);
    const QMargins pebble = w->contentsMargins();
    QCOMPARE(form->Frame()->ClientSize(), QSize(300, 200));
    skin.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/lagoon.skn"));
    form->Reskin();
    QVERIFY(w->contentsMargins() != pebble);
    QCOMPARE(w->size(), QSize(300, 200).grownBy(w->contentsMargins()));
    QCOMPARE(form->Frame()->ClientSize(), QSize(300, 200));
}

void TestWindowFrame::captionPainterSwitch() {
    auto skin = makeSkin(kButtons);
    auto w = laidOutWindow();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    TSkinManage manager;
    auto* form = new TWinSkinForm(w.get(), skin.get());
    TWindowFrame& frame = *form->Frame();
    QCOMPARE(frame.Layout().elidedCaption.trimmed(), QStringLiteral("Frame test"));
    const QPoint plate = frame.Layout().text.topLeft() + QPoint(1, 12);
    TSkinCaption caption;
    caption.SetActive(false);
    QVERIFY(frame.Layout().elidedCaption.isEmpty());
    QVERIFY(frame.Layout().text.isEmpty());
    // The bare title is drawn where the plate was.
    const QColor title = frame.State().active ? TopActive : TopInactive;
    QCOMPARE(pixel(w->grab().toImage(), plate), title);
    caption.SetActive(true);
    form->RepaintFrame();
    QVERIFY(!frame.Layout().elidedCaption.isEmpty());
}

void TestWindowFrame::managerSwitchesOffAndOn() {
    TSkinManage manager;
    TSkinData skin;
    skin.SetSkinManager(&manager);
    skin.SetSkinFormtype(sfMainform);
    skin.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/ember.skn"));
    skin.BeginRead();
    skin.Loaded();
    manager.MarkStarted();
    skin.SetActive(true);
    QTRY_VERIFY(manager.Enabled());
    auto w = laidOutWindow();
    w->show();
    QTRY_VERIFY(manager.FindSkinForm(w.get()));
    QVERIFY(frameless(*w));
    const QSize client = manager.FindSkinForm(w.get())->Frame()->ClientSize();
    QCOMPARE(client, QSize(300, 200));

    skin.SetActive(false);
    QTRY_VERIFY(!manager.FindSkinForm(w.get()));
    QVERIFY(!frameless(*w));
    QCOMPARE(w->size(), client);
    skin.SetActive(true);
    QTRY_VERIFY(manager.FindSkinForm(w.get()));
    QVERIFY(frameless(*w));
    QCOMPARE(manager.FindSkinForm(w.get())->Frame()->ClientSize(), client);
}

void TestWindowFrame::messageBoxTakesTheDialogComponent() {
    TSkinManage manager;
    TSkinData main, dialog;
    for (TSkinData* s : {&main, &dialog}) {
        s->SetSkinManager(&manager);
        s->BeginRead();
    }
    main.SetSkinFormtype(sfMainform);
    main.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/pebble.skn"));
    dialog.SetSkinFormtype(sfDialog);
    dialog.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/ember.skn"));
    main.Loaded();
    dialog.Loaded();
    manager.EnableSkinning();
    QMessageBox box(QMessageBox::Information, QStringLiteral("A caption much wider than the text"),
                    QStringLiteral("Hi"));
    box.show();
    QTRY_VERIFY(manager.FindSkinForm(&box));
    TWinSkinForm* form = manager.FindSkinForm(&box);
    QCOMPARE(form->SkinData(), &dialog);
    QVERIFY(form->Frame() && form->Frame()->Hooked());
    QCOMPARE(form->Frame()->State().kind, orvik::TBorderKind::Dialog);
    QTRY_COMPARE(form->LifeState(), TWinSkinForm::Skinned);
    // The caption fits its title bar.
    const orvik::TFrameLayout& layout = form->Frame()->Layout();
    QCOMPARE(layout.elidedCaption.trimmed(), box.windowTitle());
}

QTEST_MAIN(TestWindowFrame)
#include "test_windowframe.moc"
