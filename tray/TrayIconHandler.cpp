#include "tray/TrayIconHandler.h"

#include "tray/QtTrayShell.h"
#include "tray/TrayIcon.h"

#include <QObject>
#include <QPointer>

#include <vector>

namespace {

TTrayIconHandler* sharedHandler = nullptr;
TTrayShell* shellOverride = nullptr;
// Ids count up for the life of the process, so no two icons ever share one.
quint64 lastId = 0;

} // namespace

TTrayIconHandler::TTrayIconHandler()
    : window_(std::make_unique<QObject>()), override_(shellOverride) {
    window_->setObjectName(QStringLiteral("TTrayIconHandlerWindow"));
}

TTrayIconHandler::~TTrayIconHandler() = default;

TTrayIconHandler* TTrayIconHandler::instance() {
    return sharedHandler;
}

void TTrayIconHandler::setShellOverride(TTrayShell* shell) {
    shellOverride = shell;
}

TTrayIconHandler* TTrayIconHandler::acquire() {
    if (!sharedHandler)
        sharedHandler = new TTrayIconHandler;
    ++sharedHandler->count_;
    return sharedHandler;
}

void TTrayIconHandler::release() {
    if (!sharedHandler)
        return;
    if (sharedHandler->count_ > 0)
        --sharedHandler->count_;
    if (sharedHandler->count_ == 0) {
        delete sharedHandler;
        sharedHandler = nullptr;
    }
}

TTrayShell& TTrayIconHandler::shell() {
    if (override_)
        return *override_;
    if (!qtShell_)
        qtShell_ = std::make_unique<TQtTrayShell>(
            [this](quint64 id, quint32 code) { post(id, code); }, [this] { taskbarCreated(); });
    return *qtShell_;
}

bool TTrayIconHandler::notifyIcon(TTrayCommand command, const TTrayIconData& data) {
    // A QSystemTrayIcon area not made yet has been given no icon, so it could only refuse
    // anything but an add; it is not made for that.
    if (!override_ && !qtShell_ && command != TTrayCommand::Add)
        return false;
    return shell().NotifyIcon(command, data);
}

quint64 TTrayIconHandler::registerIcon(TTrayIcon* icon) {
    const quint64 id = ++lastId;
    icons_.insert(id, icon);
    return id;
}

void TTrayIconHandler::unregisterIcon(quint64 id) {
    icons_.remove(id);
}

void TTrayIconHandler::post(quint64 id, quint32 code) {
    // Queued on the hidden object: dropped if it goes before the call is delivered. The
    // handler lives exactly as long as that object, so the captured pointer is safe.
    QMetaObject::invokeMethod(
        window_.get(), [this, id, code] { send(id, code); }, Qt::QueuedConnection);
}

void TTrayIconHandler::send(quint64 id, quint32 code) {
    if (TTrayIcon* icon = icons_.value(id, nullptr))
        icon->handleNotification(code);
}

void TTrayIconHandler::taskbarCreated() {
    std::vector<QPointer<TTrayIcon>> icons;
    icons.reserve(size_t(icons_.size()));
    for (TTrayIcon* icon : std::as_const(icons_))
        icons.emplace_back(icon);
    for (const QPointer<TTrayIcon>& icon : icons)
        if (icon && icon->IconWanted())
            icon->AddIcon();
}

// A handler still alive at program end (an icon was never destroyed) goes with the program.
struct TTrayIconHandler::Finaliser {
    ~Finaliser() {
        delete sharedHandler;
        sharedHandler = nullptr;
    }
};

TTrayIconHandler::Finaliser TTrayIconHandler::finaliser_;
