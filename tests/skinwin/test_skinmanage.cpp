// The skin manager: which windows it skins and with which component, its deferred commands,
// and what the frame skinner of a window answers and keeps.
#include "skin/data/SkinData.h"
#include "skin/draw/SkinManage.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/WinSkinForm.h"
#include "skin/draw/controls/SkinControl.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/StyleKit.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString kSkin = QStringLiteral(ORVIK_BUILD_DIR "/skins/pebble.skn");
const QString kOtherSkin = QStringLiteral(ORVIK_BUILD_DIR "/skins/ember.skn");

// A window class whose name says it shows a preview.
class TSamplePreviewWindow : public QWidget {
    Q_OBJECT
};

// A window that says it is skinned already (another skinner has it).
class TSelfSkinnedWindow : public QWidget {
    Q_OBJECT
protected:
    bool event(QEvent* e) override {
        if (int(e->type()) == orvik::SKM_ISSKINNED) {
            static_cast<orvik::TSkinMessage*>(e)->result = 1;
            return true;
        }
        return QWidget::event(e);
    }
};

// A skinner that writes down what the manager asks of it.
class TRecordingForm : public TWinSkinForm {
public:
    TRecordingForm(QWidget* window, TSkinData* skin, QStringList& log)
        : TWinSkinForm(window, skin), log_(log) {}
    void ReadSkin() override { log_ << "read " + Window()->objectName(); }
    void RepaintFrame() override { log_ << "paint " + Window()->objectName(); }
    void Unhook() override {
        log_ << "unhook " + Window()->objectName();
        TWinSkinForm::Unhook();
    }

private:
    QStringList& log_;
};

// A component of a type, with a built skin loaded, registered with the manager.
std::unique_ptr<TSkinData> component(TSkinManage& manager, TSkinFormType type,
                                     QObject* owner = nullptr, bool load = true) {
    auto skin = std::make_unique<TSkinData>(owner);
    skin->SetSkinManager(&manager);
    skin->SetSkinFormtype(type);
    if (load)
        skin->SetSkinFile(kSkin);
    skin->BeginRead();
    skin->Loaded();
    return skin;
}

std::unique_ptr<QWidget> window(const QString& name, QSize size = {200, 120}) {
    auto w = std::make_unique<QWidget>();
    w->setObjectName(name);
    w->resize(size);
    return w;
}

} // namespace

class TestSkinManage : public QObject {
    Q_OBJECT
private slots:
    void skinWindowChecksInOrder();
    void classRules();
    void chooseSkinData();
    void commandsBeforeStart();
    void deferredSlotEndsOnWithOneChange();
    void switchOffAndRefresh();
    void shownAndActivatedWindows();
    void skinnerAnswersAndKeepsCompanions();
    void skinnerDressesItsControls();
    void componentThatGoes();
};

void TestSkinManage::skinWindowChecksInOrder() {
    TSkinManage manager;
    auto main = component(manager, sfMainform);
    QVERIFY(!main->Loading());
    auto w = window("frmSome");

    // Skinning off: nothing.
    QVERIFY(!manager.SkinWindow(w.get()));
    manager.EnableSkinning();
    QVERIFY(manager.SkinWindow(w.get()));
    QVERIFY(manager.FindSkinForm(w.get()));
    QCOMPARE(manager.FindSkinForm(w.get())->SkinData(), main.get());
    // Already skinned: once only.
    QVERIFY(!manager.SkinWindow(w.get()));
    QCOMPARE(manager.Forms().size(), 1);

    TSelfSkinnedWindow other;
    other.resize(100, 100);
    QVERIFY(!manager.SkinWindow(&other));

    // An ordinary child window only while the switch-on scan runs.
    auto child = new QWidget(w.get());
    child->resize(50, 50);
    QVERIFY(!manager.SkinWindow(child));
    manager.SetScanning(true);
    QVERIFY(manager.SkinWindow(child));
    manager.SetScanning(false);

    // An empty window, Tag 99 (whatever DisableTag says), popups.
    auto empty = window("frmEmpty", {0, 0});
    QVERIFY(!manager.SkinWindow(empty.get()));
    auto tagged = window("frmTagged");
    tagged->setProperty("Tag", 99);
    main->SetDisableTag(5);
    QVERIFY(!manager.SkinWindow(tagged.get()));
    tagged->setProperty("Tag", 98);
    QVERIFY(manager.SkinWindow(tagged.get()));
    QMenu menu;
    menu.resize(80, 80);
    QVERIFY(!manager.SkinWindow(&menu));

    // A component without a usable skin skins nothing.
    main->SetSkinFile(QStringLiteral("/nonexistent.skn"));
    QVERIFY(main->Loading());
    auto late = window("frmLate");
    QVERIFY(!manager.SkinWindow(late.get()));

    // A skinner whose window went is dropped at the next look.
    w.reset();
    manager.SkinWindow(late.get());
    QCOMPARE(manager.Forms(), QList<TWinSkinForm*>{manager.FindSkinForm(tagged.get())});
}

void TestSkinManage::classRules() {
    TSkinManage manager;
    auto main = component(manager, sfMainform);
    manager.EnableSkinning();
    TSamplePreviewWindow preview;
    preview.resize(100, 100);

    // The program's component allows previews; without xoPreview they keep the system frame.
    main->SetOptions({xoToolbarBK});
    QVERIFY(!manager.MayBeSkinned(QStringLiteral("TPrintPREVIEWForm")));
    QVERIFY(!manager.SkinWindow(&preview));
    main->SetOptions({xoPreview});
    QVERIFY(manager.SkinWindow(&preview));

    // DoFormSkin has the last word: its handler alone decides, even for the calendar class.
    QVERIFY(!manager.MayBeSkinned(QStringLiteral("SysMonthCal32")));
    QStringList asked;
    main->OnFormSkin = [&](TSkinData*, const QString& name, bool& doSkin) {
        asked << name;
        doSkin = name != QLatin1String("QWidget");
    };
    QVERIFY(manager.MayBeSkinned(QStringLiteral("SysMonthCal32")));
    auto plain = window("frmPlain");
    QVERIFY(!manager.SkinWindow(plain.get()));
    QVERIFY(asked.contains(QStringLiteral("QWidget")));
}

void TestSkinManage::chooseSkinData() {
    TSkinManage manager;
    QVERIFY(!manager.ChooseSkinData(nullptr)); // none loaded
    auto form = window("frmOwn");
    auto first = component(manager, sfDLL);
    auto box = std::make_unique<QMessageBox>();
    QInputDialog input;
    // Only the first component: every window takes it.
    QCOMPARE(manager.ChooseSkinData(form.get()), first.get());
    auto main1 = component(manager, sfMainform);
    auto main2 = component(manager, sfMainform);
    // The last main component, for dialogs too while no dialog component exists.
    QCOMPARE(manager.ChooseSkinData(form.get()), main2.get());
    QCOMPARE(manager.ChooseSkinData(box.get()), main2.get());
    // The manager's options come from the first main component.
    QCOMPARE(manager.MainSkinData(), main1.get());
    auto dialog1 = component(manager, sfDialog);
    auto dialog2 = component(manager, sfDialog);
    QCOMPARE(manager.ChooseSkinData(box.get()), dialog2.get());
    QCOMPARE(manager.ChooseSkinData(&input), dialog2.get());
    QCOMPARE(manager.ChooseSkinData(form.get()), main2.get());
    // A component for its owner form only, the last of several.
    auto own1 = component(manager, sfOnlyThisForm, form.get());
    auto own2 = component(manager, sfOnlyThisForm, form.get());
    QCOMPARE(manager.ChooseSkinData(form.get()), own2.get());
    QCOMPARE(manager.ChooseSkinData(box.get()), dialog2.get());

    // A message box is skinned with the dialog component.
    manager.EnableSkinning();
    box->setText(QStringLiteral("Text"));
    box->resize(200, 100);
    QVERIFY(manager.SkinWindow(box.get()));
    QCOMPARE(manager.FindSkinForm(box.get())->SkinData(), dialog2.get());
    own2.reset();
    own1.reset();
}

void TestSkinManage::commandsBeforeStart() {
    TSkinManage manager;
    auto main = component(manager, sfMainform);
    QSignalSpy changed(main.get(), &TSkinData::SkinChanged);
    // Loaded with Active false posted nothing; at run state 0 a command acts at once.
    QCOMPARE(manager.RunState(), int(TSkinManage::NotStarted));
    manager.SetCurrentSkinData(main.get());
    manager.PostCommand(ISkinManager::SwitchOn, 250);
    QVERIFY(manager.Enabled());
    QVERIFY(!manager.CommandPending());
    manager.PostCommand(ISkinManager::SwitchOff, 250);
    QVERIFY(!manager.Enabled());
    QVERIFY(!manager.CommandPending());
    QCOMPARE(manager.RunState(), int(TSkinManage::NotStarted));
    QCOMPARE(changed.count(), 0);

    // A main component stored active switches on at its Loaded, at once.
    TSkinManage second;
    auto active = std::make_unique<TSkinData>();
    active->SetSkinManager(&second);
    active->SetSkinFile(kSkin);
    active->BeginRead();
    active->SetActive(true);
    active->Loaded();
    QVERIFY(second.Enabled());
    QVERIFY(!second.CommandPending());
}

void TestSkinManage::deferredSlotEndsOnWithOneChange() {
    TSkinManage manager;
    QStringList log;
    manager.SetFormFactory([&](QWidget* w, TSkinData* s) { return new TRecordingForm(w, s, log); });
    auto main = component(manager, sfMainform);
    auto w = window("frmMain");
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QSignalSpy changed(main.get(), &TSkinData::SkinChanged);

    // The first switch-on acts at once and starts the manager; from then on commands wait.
    main->SetActive(true);
    QCOMPARE(manager.RunState(), int(TSkinManage::Started));
    QVERIFY(manager.Enabled());
    QVERIFY(!manager.CommandPending());
    // Off then on within the delay leaves one pending command: switch on.
    main->SetActive(false);
    QVERIFY(manager.CommandPending());
    QCOMPARE(manager.PendingCommand(), int(ISkinManager::SwitchOff));
    main->SetActive(true);
    QCOMPARE(manager.PendingCommand(), int(ISkinManager::SwitchOn));
    QVERIFY(!manager.FindSkinForm(w.get())); // nothing happens before the timer fires
    QVERIFY(changed.wait(2000));
    QVERIFY(manager.Enabled());
    QVERIFY(manager.FindSkinForm(w.get()));
    QVERIFY(!QTest::qWaitFor([&] { return changed.count() > 1; }, 400));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!manager.CommandSkinData());
    QTRY_COMPARE(manager.FindSkinForm(w.get())->LifeState(), TWinSkinForm::Skinned);
}

void TestSkinManage::switchOffAndRefresh() {
    TSkinManage manager;
    QStringList log;
    manager.SetFormFactory([&](QWidget* w, TSkinData* s) { return new TRecordingForm(w, s, log); });
    auto main = component(manager, sfMainform);
    manager.MarkStarted();
    auto a = window("a"), b = window("b");
    a->show();
    b->show();
    manager.SetCurrentSkinData(main.get());
    manager.PostCommand(ISkinManager::SwitchOn, 10);
    manager.ExecuteCommand();
    QCOMPARE(manager.Forms().size(), 2);
    QVERIFY(!manager.Scanning());

    // Refresh: every frame is recomputed before any is painted.
    log.clear();
    manager.SetCurrentSkinData(main.get());
    manager.PostCommand(ISkinManager::Refresh, 10);
    manager.ExecuteCommand();
    QCOMPARE(log.size(), 4);
    QVERIFY(log[0].startsWith("read") && log[1].startsWith("read"));
    QVERIFY(log[2].startsWith("paint") && log[3].startsWith("paint"));

    // Off: every skinner gives its window back and goes.
    log.clear();
    QSignalSpy changed(main.get(), &TSkinData::SkinChanged);
    manager.SetCurrentSkinData(main.get());
    manager.PostCommand(ISkinManager::SwitchOff, 10);
    QVERIFY(changed.wait(2000));
    QCOMPARE(log.filter("unhook").size(), 2);
    QVERIFY(manager.Forms().isEmpty());
    QVERIFY(!TWinSkinForm::Of(a.get()) && !TWinSkinForm::Of(b.get()));
    QVERIFY(!manager.Enabled());

    // A command without a component does nothing, not even the change event.
    manager.PostCommand(ISkinManager::SwitchOn, 10);
    manager.ExecuteCommand();
    QVERIFY(!manager.Enabled());
    QCOMPARE(changed.count(), 1);
}

void TestSkinManage::shownAndActivatedWindows() {
    TSkinManage manager;
    auto main = component(manager, sfMainform);
    manager.InstallHook();
    QList<QMenu*> popups;
    manager.SetPopupHook([&](QMenu* m) { popups << m; });
    // Activation starts the manager.
    auto w = window("frmFirst");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w.get(), &activate);
    QCOMPARE(manager.RunState(), int(TSkinManage::Started));
    QVERIFY(!manager.FindSkinForm(w.get())); // skinning is still off

    // With skinning on, a window is skinned when it is shown, a child of it is not.
    manager.EnableSkinning();
    auto shown = window("frmShown");
    auto* child = new QWidget(shown.get());
    shown->show();
    QVERIFY(manager.FindSkinForm(shown.get()));
    QVERIFY(!manager.FindSkinForm(child));
    QTRY_COMPARE(TWinSkinForm::Of(shown.get())->LifeState(), TWinSkinForm::Skinned);
    // A window shown while skinning was off is caught when it is activated.
    QApplication::sendEvent(w.get(), &activate);
    QVERIFY(manager.FindSkinForm(w.get()));

    // Popup menus are recorded, not skinned as windows.
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    menu.popup(QPoint(10, 10));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    QCOMPARE(popups, QList<QMenu*>{&menu});
    QCOMPARE(manager.PopupMenus(), QList<QMenu*>{&menu});
    QVERIFY(!manager.FindSkinForm(&menu));
    menu.close();
}

void TestSkinManage::skinnerAnswersAndKeepsCompanions() {
    auto w = window("frmCompanions");
    TSkinData skin;
    QVERIFY(orvik::SendSkinMessage(w.get(), orvik::SKM_ISSKINNED) == 0);
    auto* form = new TWinSkinForm(w.get(), &skin);
    QCOMPARE(TWinSkinForm::Of(w.get()), form);
    QCOMPARE(orvik::SendSkinMessage(w.get(), orvik::SKM_ISSKINNED), 1);
    QCOMPARE(form->LifeState(), TWinSkinForm::Waiting);
    orvik::SendSkinMessage(w.get(), orvik::SKM_SKINWINDOW, 0, 1000);
    QCOMPARE(form->LifeState(), TWinSkinForm::Skinned);

    // Companions: listed once, reskinned on SKM_RESKIN, gone when destroyed.
    int reskinsA = 0, reskinsB = 0;
    auto* a = new QObject(w.get());
    auto* b = new QObject(w.get());
    form->AddControl(a, [&] { ++reskinsA; });
    form->AddControl(a, [&] { reskinsA += 10; });
    form->AddControl(b, [&] { ++reskinsB; });
    QCOMPARE(form->Controls().size(), 2);
    orvik::SendSkinMessage(w.get(), orvik::SKM_RESKIN);
    QCOMPARE(reskinsA, 10);
    QCOMPARE(reskinsB, 1);
    delete b;
    QCOMPARE(form->Controls(), QList<QObject*>{a});
    form->RemoveControl(a);
    QVERIFY(form->Controls().isEmpty());

    // Unhooked: the window no longer answers as skinned.
    form->Unhook();
    form->Unhook();
    QCOMPARE(orvik::SendSkinMessage(w.get(), orvik::SKM_ISSKINNED), 0);
}

// The window's controls take the skin style when the skinning starts, follow a skin switch
// (new controls included), and get their system look and colours back when skinning goes off.
void TestSkinManage::skinnerDressesItsControls() {
    TSkinManage manager;
    auto main = component(manager, sfMainform);
    manager.MarkStarted();
    auto w = window("frmControls", {300, 200});
    auto* button = new QPushButton(QStringLiteral("Play"), w.get());
    auto* edit = new QLineEdit(w.get());
    edit->move(0, 40);
    auto* list = new QListWidget(w.get());
    list->setGeometry(0, 70, 200, 100);
    const QColor plainWindow = w->palette().color(QPalette::Window);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));

    manager.SetCurrentSkinData(main.get());
    manager.PostCommand(ISkinManager::SwitchOn, 0);
    manager.ExecuteCommand();
    TWinSkinForm* form = manager.FindSkinForm(w.get());
    QVERIFY(form);
    QTRY_COMPARE(form->LifeState(), TWinSkinForm::Skinned);
    for (QWidget* control : QList<QWidget*>{button, edit, list}) {
        QVERIFY2(qobject_cast<TSkinStyle*>(control->style()), control->metaObject()->className());
        QVERIFY(TSkinControl::Of(control)->Paints());
        QVERIFY(form->Controls().contains(TSkinControl::Of(control)));
    }
    const QColor pebbleFace = w->palette().color(QPalette::Window);
    QCOMPARE(pebbleFace, orvik::style::FaceColour(*main));

    // A switch to another skin: the window's colours follow, and a control made meanwhile is
    // skinned too.
    auto* late = new QPushButton(QStringLiteral("Stop"), w.get());
    late->move(100, 0);
    late->show();
    QSignalSpy changed(main.get(), &TSkinData::SkinChanged);
    main->SetSkinFile(kOtherSkin);
    QVERIFY(changed.wait());
    QCOMPARE(w->palette().color(QPalette::Window), orvik::style::FaceColour(*main));
    QVERIFY(w->palette().color(QPalette::Window) != pebbleFace);
    QVERIFY(qobject_cast<TSkinStyle*>(late->style()));
    QVERIFY(form->Controls().contains(TSkinControl::Of(late)));

    // Skinning off: the skinner goes and every control is as it was.
    manager.SetCurrentSkinData(main.get());
    manager.PostCommand(ISkinManager::SwitchOff, 0);
    manager.ExecuteCommand();
    QVERIFY(!manager.FindSkinForm(w.get()));
    for (QWidget* control : QList<QWidget*>{button, edit, list, late}) {
        QCOMPARE(control->style(), QApplication::style());
        QVERIFY(!TSkinControl::Of(control));
    }
    QCOMPARE(w->palette().color(QPalette::Window), plainWindow);
    QVERIFY(!w->testAttribute(Qt::WA_SetPalette));
}

void TestSkinManage::componentThatGoes() {
    TSkinManage manager;
    auto main1 = component(manager, sfMainform);
    auto main2 = component(manager, sfMainform);
    manager.MarkStarted();
    manager.SetCurrentSkinData(main1.get());
    manager.PostCommand(ISkinManager::Refresh, 50);
    QVERIFY(manager.CommandPending());
    main1.reset();
    // The main role passes on and the dead component's command is dropped.
    QCOMPARE(manager.MainSkinData(), main2.get());
    QVERIFY(!manager.CommandPending());
    QVERIFY(!manager.CommandSkinData());
    QCOMPARE(manager.SkinDatas().size(), 1);
}

QTEST_MAIN(TestSkinManage)
#include "test_skinmanage.moc"
