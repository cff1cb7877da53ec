#include "tray/QtTrayShell.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSystemTrayIcon>

#ifdef ORVIK_TRAY_DBUS
#include <QDBusConnection>
#include <QDBusInterface>
#endif

namespace {

// Whether Qt will put its tray icons on a StatusNotifierItem host rather than an X11 tray:
// the same question Qt's own platform themes ask.
bool statusNotifierHostRegistered() {
#ifdef ORVIK_TRAY_DBUS
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusInterface watcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                           QStringLiteral("/StatusNotifierWatcher"),
                           QStringLiteral("org.kde.StatusNotifierWatcher"), bus);
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
#else
    return false;
#endif
}

// Stands in for an icon whose image cannot be read: the slot in the tray stays, blank.
QIcon blankIcon() {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return QIcon(QPixmap::fromImage(image));
}

bool haveWidgetsApplication() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

struct TQtTrayShell::Entry {
    std::unique_ptr<QSystemTrayIcon> icon;
    quint32 version = 0;
};

TQtTrayShell::TQtTrayShell(Poster post, std::function<void()> taskbarCreated)
    : post_(std::move(post)), taskbarCreated_(std::move(taskbarCreated)) {
    setObjectName(QStringLiteral("TQtTrayShell"));
    if (!haveWidgetsApplication())
        return;
    activationIsDoubleClick_ = statusNotifierHostRegistered();

    // The xcb platform tells through its native interface when the X11 tray window goes or
    // comes back. That interface is a QObject whose class is not public API, hence the cast;
    // the signal is looked up by name and simply absent on other platforms.
    auto* native = reinterpret_cast<QObject*>(QGuiApplication::platformNativeInterface());
    if (native && native->metaObject()->indexOfSignal("systemTrayWindowChanged(QScreen*)") >= 0) {
        // Asking once makes the platform start watching the tray window.
        QSystemTrayIcon::isSystemTrayAvailable();
        connect(native, SIGNAL(systemTrayWindowChanged(QScreen*)), this,
                SLOT(onTrayWindowChanged()), Qt::QueuedConnection);
    }
}

TQtTrayShell::~TQtTrayShell() = default;

void TQtTrayShell::onTrayWindowChanged() {
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    // A new notification area knows nothing of our icons.
    icons_.clear();
    if (taskbarCreated_)
        taskbarCreated_();
}

bool TQtTrayShell::NotifyIcon(TTrayCommand command, const TTrayIconData& data) {
    auto found = icons_.find(data.Id);
    switch (command) {
    case TTrayCommand::Add: {
        if (found != icons_.end() || !haveWidgetsApplication() ||
            !QSystemTrayIcon::isSystemTrayAvailable())
            return false;
        auto entry = std::make_unique<Entry>();
        entry->version = data.Version; // the wanted behaviour holds from the start
        entry->icon = std::make_unique<QSystemTrayIcon>();
        apply(*entry->icon, data);
        const quint64 id = data.Id;
        connect(entry->icon.get(), &QSystemTrayIcon::activated, this,
                [this, id](QSystemTrayIcon::ActivationReason reason) { activated(id, reason); });
        connect(entry->icon.get(), &QSystemTrayIcon::messageClicked, this,
                [this, id] { post_(id, TrayCode::BalloonClick); });
        entry->icon->show();
        icons_.emplace(id, std::move(entry));
        return true;
    }
    case TTrayCommand::Modify:
        if (found == icons_.end())
            return false;
        apply(*found->second->icon, data);
        return true;
    case TTrayCommand::Delete:
        if (found == icons_.end())
            return false;
        icons_.erase(found);
        return true;
    case TTrayCommand::SetVersion:
        if (found == icons_.end())
            return false;
        found->second->version = data.Version;
        return true;
    }
    return false;
}

QSystemTrayIcon* TQtTrayShell::trayIcon(quint64 id) const {
    auto found = icons_.find(id);
    return found == icons_.end() ? nullptr : found->second->icon.get();
}

void TQtTrayShell::apply(QSystemTrayIcon& icon, const TTrayIconData& data) const {
    icon.setIcon(data.Icon.isNull() ? blankIcon() : data.Icon);
    icon.setToolTip(data.Tip);
}

void TQtTrayShell::activated(quint64 id, int reason) {
    auto found = icons_.find(id);
    const quint32 version = found == icons_.end() ? 0 : found->second->version;
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        post_(id, TrayCode::LeftDown);
        post_(id, TrayCode::LeftUp);
        if (activationIsDoubleClick_) {
            post_(id, TrayCode::LeftDoubleClick);
            post_(id, TrayCode::LeftUp);
        }
        break;
    case QSystemTrayIcon::DoubleClick:
        post_(id, TrayCode::LeftDoubleClick);
        post_(id, TrayCode::LeftUp);
        break;
    case QSystemTrayIcon::Context:
        post_(id, TrayCode::RightDown);
        post_(id, TrayCode::RightUp);
        if (version == 3)
            post_(id, TrayCode::ContextMenu);
        break;
    case QSystemTrayIcon::MiddleClick:
        post_(id, TrayCode::MiddleDown);
        post_(id, TrayCode::MiddleUp);
        break;
    default:
        break;
    }
}
