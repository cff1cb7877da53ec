#include "skin/draw/SkinManage.h"

#include "skin/data/SkinData.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/WinSkinForm.h"

#include <QApplication>
#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace {

// Windows whose Tag is this keep their system frame.
constexpr int kNeverSkinTag = 99;

QString classNameOf(const QWidget* window) {
    return QString::fromLatin1(window->metaObject()->className());
}

// Windows that are not forms: menus, tool tips, the popups of combo boxes and completers.
bool isPopupKind(const QWidget* window) {
    const Qt::WindowType type = window->windowType();
    return type == Qt::Popup || type == Qt::ToolTip || type == Qt::Desktop ||
           qobject_cast<const QMenu*>(window) != nullptr;
}

} // namespace

TSkinManage::TSkinManage(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setInterval(CommandDelayMs);
    connect(&timer_, &QTimer::timeout, this, &TSkinManage::ExecuteCommand);
    factory_ = [](QWidget* window, TSkinData* skin) { return new TWinSkinForm(window, skin); };
}

TSkinManage::~TSkinManage() {
    runState_ = Destroying;
    enabled_ = false;
    timer_.stop();
    if (hookInstalled_ && qApp)
        qApp->removeEventFilter(this);
    const QList<QPointer<TWinSkinForm>> forms = forms_;
    forms_.clear();
    for (const QPointer<TWinSkinForm>& form : forms)
        releaseForm(form);
    for (const QPointer<TSkinData>& skin : skinDatas_)
        if (skin)
            skin->ForgetSkinManager(this);
}

TSkinManage& TSkinManage::Program() {
    static QPointer<TSkinManage> program;
    if (!program)
        program = new TSkinManage(qApp);
    return *program;
}

void TSkinManage::UseProgramManager() {
    TSkinData::SetManagerProvider([]() -> ISkinManager* { return &Program(); });
}

// ---------------------------------------------------------------------------------------------
// Skin data components

void TSkinManage::AddSkinData(TSkinData* skinData) {
    if (!skinData || skinDatas_.contains(skinData))
        return;
    skinDatas_.append(skinData);
    if (!mainSkinData_ && skinData->SkinFormtype() == sfMainform)
        mainSkinData_ = skinData;
}

void TSkinManage::RemoveSkinData(TSkinData* skinData) {
    skinDatas_.removeIf([skinData](const QPointer<TSkinData>& s) { return !s || s == skinData; });
    // A component that goes never stays the main or the pending one: the next loaded main
    // component takes over, and a command of the one that went is dropped.
    if (mainSkinData_ == skinData || !mainSkinData_) {
        mainSkinData_ = nullptr;
        for (const QPointer<TSkinData>& s : skinDatas_)
            if (s && s->SkinFormtype() == sfMainform) {
                mainSkinData_ = s;
                break;
            }
    }
    if (commandSkinData_ == skinData) {
        commandSkinData_ = nullptr;
        timer_.stop();
    }
}

void TSkinManage::InstallHook() {
    if (hookInstalled_ || !qApp)
        return;
    qApp->installEventFilter(this);
    hookInstalled_ = true;
}

void TSkinManage::MarkStarted() {
    if (runState_ == NotStarted)
        runState_ = Started;
}

void TSkinManage::PostCommand(int command, int intervalMs) {
    pendingCommand_ = command;
    timer_.setInterval(intervalMs);
    if (runState_ != NotStarted) {
        timer_.start(); // one slot: a second command before the timer fires replaces the first
        return;
    }
    if (command == SwitchOn)
        enabled_ = true;
    else if (command == SwitchOff)
        enabled_ = false;
}

// ---------------------------------------------------------------------------------------------
// Windows

void TSkinManage::SkinForm(QObject* owner) {
    auto* form = qobject_cast<QWidget*>(owner);
    if (!form || !form->isVisible() || !form->isWindow())
        return;
    SkinWindow(form);
}

bool TSkinManage::SkinWindow(QWidget* window) {
    // 1. Skinning is on; skinners of windows that went are dropped.
    if (!enabled_ || !window)
        return false;
    dropDestroyedForms();
    // 2. Not skinned already.
    if (orvik::SendSkinMessage(window, orvik::SKM_ISSKINNED) == 1 || FindSkinForm(window))
        return false;
    // 3, 4. Ordinary child windows only during the switch-on scan.
    if (!scanning_ && !window->isWindow())
        return false;
    // 6. Not an empty window.
    if (window->width() * window->height() == 0)
        return false;
    // 7. Tag 99 keeps the system frame.
    if (window->property("Tag").toInt() == kNeverSkinTag)
        return false;
    // 8. Menus, tool tips and other popups are not forms.
    if (isPopupKind(window))
        return false;
    // 9. The class rules.
    if (!MayBeSkinned(classNameOf(window)))
        return false;
    // 10. A component that serves it, with a skin loaded.
    TSkinData* skin = ChooseSkinData(window);
    if (!skin || skin->Loading())
        return false;
    // 11.
    TWinSkinForm* form = factory_(window, skin);
    if (!form)
        return false;
    forms_.append(form);
    orvik::PostSkinMessage(window, orvik::SKM_SKINWINDOW, 0, 1000);
    return true;
}

bool TSkinManage::MayBeSkinned(const QString& className) const {
    if (!mainSkinData_)
        return true;
    if (!mainSkinData_->Options().contains(xoPreview) &&
        className.contains(QLatin1String("preview"), Qt::CaseInsensitive))
        return false;
    bool doSkin = true;
    mainSkinData_->DoFormSkin(className, doSkin);
    return doSkin;
}

bool TSkinManage::IsDialogWindow(const QWidget* window) {
    static const char* const kDialogClasses[] = {"QMessageBox",    "QInputDialog", "QFileDialog",
                                                 "QColorDialog",   "QFontDialog",  "QErrorMessage",
                                                 "QProgressDialog"};
    return window && std::any_of(std::begin(kDialogClasses), std::end(kDialogClasses),
                                 [window](const char* c) { return window->inherits(c); });
}

TSkinData* TSkinManage::ChooseSkinData(const QWidget* window) const {
    TSkinData* chosen = nullptr;
    for (const QPointer<TSkinData>& s : skinDatas_)
        if (s && s->SkinFormtype() == sfOnlyThisForm && s->parent() == window)
            chosen = s;
    if (chosen)
        return chosen;
    if (IsDialogWindow(window))
        for (const QPointer<TSkinData>& s : skinDatas_)
            if (s && s->SkinFormtype() == sfDialog)
                chosen = s;
    if (chosen)
        return chosen;
    for (const QPointer<TSkinData>& s : skinDatas_)
        if (s && s->SkinFormtype() == sfMainform)
            chosen = s;
    if (chosen)
        return chosen;
    for (const QPointer<TSkinData>& s : skinDatas_)
        if (s)
            return s;
    return nullptr;
}

TWinSkinForm* TSkinManage::FindSkinForm(const QWidget* window) const {
    for (const QPointer<TWinSkinForm>& form : forms_)
        if (form && form->Window() == window)
            return form;
    return nullptr;
}

void TSkinManage::RemoveSkinForm(TWinSkinForm* form) {
    if (runState_ == Destroying)
        return;
    forms_.removeIf([form](const QPointer<TWinSkinForm>& f) { return !f || f == form; });
}

QList<TWinSkinForm*> TSkinManage::Forms() const {
    QList<TWinSkinForm*> list;
    for (const QPointer<TWinSkinForm>& form : forms_)
        if (form)
            list.append(form);
    return list;
}

void TSkinManage::dropDestroyedForms() {
    forms_.removeIf([](const QPointer<TWinSkinForm>& f) { return !f || !f->Window(); });
}

void TSkinManage::releaseForm(TWinSkinForm* form) {
    if (!form)
        return;
    form->Unhook();
    delete form;
}

void TSkinManage::RefreshForms() {
    dropDestroyedForms();
    for (TWinSkinForm* form : Forms())
        if (form->SkinData() == commandSkinData_)
            form->ReadSkin();
}

// ---------------------------------------------------------------------------------------------
// Commands

void TSkinManage::ExecuteCommand() {
    timer_.stop();
    const QPointer<TSkinData> skin = commandSkinData_;
    if (!skin)
        return;
    const int command = pendingCommand_;
    pendingCommand_ = 0;
    const bool onlyThisForm = skin->SkinFormtype() == sfOnlyThisForm;
    switch (command) {
    case SwitchOn: {
        enabled_ = true;
        scanning_ = true;
        dropDestroyedForms();
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
            if (onlyThisForm && *it != skin->parent())
                continue;
            SkinForm(*it);
        }
        scanning_ = false;
        break;
    }
    case SwitchOff:
        enabled_ = false;
        dropDestroyedForms();
        if (onlyThisForm) {
            for (auto it = forms_.crbegin(); it != forms_.crend(); ++it) {
                if ((*it)->SkinData() == skin) {
                    TWinSkinForm* form = *it;
                    forms_.removeOne(*it);
                    releaseForm(form);
                    break;
                }
            }
        } else {
            while (!forms_.isEmpty()) {
                TWinSkinForm* form = forms_.takeFirst();
                releaseForm(form);
            }
        }
        break;
    case Refresh: {
        dropDestroyedForms();
        QList<TWinSkinForm*> using_;
        for (TWinSkinForm* form : Forms())
            if (form->SkinData() == skin)
                using_.append(form);
        if (onlyThisForm && using_.size() > 1)
            using_ = {using_.constFirst()};
        // Every frame is recomputed before any is painted.
        for (TWinSkinForm* form : using_)
            form->ReadSkin();
        for (TWinSkinForm* form : using_)
            form->RepaintFrame();
        break;
    }
    default:
        break;
    }
    if (skin)
        skin->DoSkinChanged();
    commandSkinData_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The application's windows

QList<QMenu*> TSkinManage::PopupMenus() const {
    QList<QMenu*> list;
    for (const QPointer<QMenu>& menu : popups_)
        if (menu)
            list.append(menu);
    return list;
}

void TSkinManage::recordPopup(QMenu* menu) {
    popups_.removeIf([](const QPointer<QMenu>& m) { return !m; });
    if (!popups_.contains(menu))
        popups_.append(menu);
    if (popupHook_)
        popupHook_(menu);
}

bool TSkinManage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::Show && type != QEvent::WindowActivate)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !widget->isWindow())
        return false;
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        if (type == QEvent::Show)
            recordPopup(menu);
        return false;
    }
    if (type == QEvent::WindowActivate && runState_ == NotStarted)
        runState_ = Started;
    // A window shown is skinned before it is mapped, so that it appears with its skinned
    // frame; activation catches the windows shown while skinning was off.
    SkinWindow(widget);
    return false;
}
