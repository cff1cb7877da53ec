#pragma once

#include <QDBusAbstractAdaptor>
#include <QStringList>

namespace orvik {

class TMprisService;

// org.mpris.MediaPlayer2: who the player is; Raise shows the window, Quit ends the program.
class TMprisRoot : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
public:
    explicit TMprisRoot(TMprisService* service);

    QString identity() const { return QStringLiteral("Orvik"); }
    QString desktopEntry() const { return QStringLiteral("orvik"); }
    bool canRaise() const { return true; }
    bool canQuit() const { return true; }
    bool hasTrackList() const { return false; }
    // Stations come from the catalogue; nothing is opened by address from outside.
    QStringList supportedUriSchemes() const { return {}; }
    QStringList supportedMimeTypes() const { return {}; }

public slots:
    void Raise();
    void Quit();

private:
    TMprisService& service_;
};

} // namespace orvik
