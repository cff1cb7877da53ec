#pragma once

// A program installed under a temporary prefix, as `cmake --install` lays it out: the program
// folder <prefix>/bin (no catalogue there), the shipped files in <prefix>/share/orvik, and a
// fresh user whose HOME is a temporary folder with the XDG folder variables unset, so the
// user's folders are HOME/.local/share and HOME/.config. Everything is put back at the end.

#include "core/ProgramFolder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <stdexcept>

class InstalledFolderFixture {
public:
    InstalledFolderFixture() {
        if (!root_.isValid())
            throw std::runtime_error("no temporary folder");
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            saved_.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        QDir().mkpath(bin());
        QDir().mkpath(share() + QStringLiteral("skins"));
        QDir().mkpath(home());
        qputenv("HOME", QFile::encodeName(home()));
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        orvik::setProgramFolder(bin());
    }
    ~InstalledFolderFixture() {
        orvik::setProgramFolder(QString());
        for (const Saved& s : saved_) {
            if (s.wasSet)
                qputenv(s.name, s.value);
            else
                qunsetenv(s.name);
        }
    }

    QString prefix() const { return root_.path() + QStringLiteral("/usr/"); }
    QString bin() const { return prefix() + QStringLiteral("bin/"); }
    QString share() const { return prefix() + QStringLiteral("share/orvik/"); }
    QString home() const { return root_.path() + QStringLiteral("/home/"); }
    QString userData() const { return home() + QStringLiteral(".local/share/orvik/"); }
    QString userConfig() const { return home() + QStringLiteral(".config/orvik/"); }

    // Writes a shipped file (relative to share()).
    bool ship(const QString& name, const QByteArray& content) const {
        QFile f(share() + name);
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    }

private:
    struct Saved {
        const char* name;
        QByteArray value;
        bool wasSet;
    };
    QTemporaryDir root_;
    QList<Saved> saved_;
};
