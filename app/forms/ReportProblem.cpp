// "Report a problem": our own page on how to report one, with the versions in use filled in.
#include "app/forms/Playback.h"

#include "app/catalogue/Catalogue.h"
#include "app/forms/MainWindow.h"
#include "app/player/RealAudio.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/MessagePresenter.h"
#include "core/ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSqlQuery>
#include <QStandardPaths>

namespace {

QString sqliteVersion(TCatalogue& catalogue) {
    try {
        QSqlQuery query(catalogue.Database());
        if (query.exec(QStringLiteral("select sqlite_version()")) && query.next())
            return query.value(0).toString();
    } catch (...) {
        // No catalogue open: nothing to ask.
    }
    return QStringLiteral("unknown");
}

} // namespace

QString TPlayback::VersionsText() const {
    QString mpv = orvik::TPlayerCore::clientApiVersion();
    if (f_.MediaPlayer)
        mpv = f_.MediaPlayer->core().libraryVersion();
    else if (f_.RealPlayer)
        mpv = f_.RealPlayer->core().libraryVersion();
    return QStringLiteral("Orvik %1\nQt %2\n%3\nSQLite %4")
        .arg(QStringLiteral(ORVIK_VERSION), QString::fromLatin1(qVersion()), mpv,
             sqliteVersion(f_.catalogue()));
}

QString TPlayback::WriteReportPage() const {
    QFile source(orvik::shippedFile(QStringLiteral("report.htm")));
    if (!source.open(QIODevice::ReadOnly))
        return QString();
    QString page = QString::fromUtf8(source.readAll());
    page.replace(QStringLiteral("@VERSIONS@"), VersionsText().toHtmlEscaped());
    // The filled page is the user's own: in the private runtime folder, else the temporary one.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    QSaveFile out(folder + QStringLiteral("/orvik-report.htm"));
    if (!out.open(QIODevice::WriteOnly) || out.write(page.toUtf8()) < 0 || !out.commit())
        return QString();
    return out.fileName();
}

void TPlayback::ReportAProblem() {
    const QString page = WriteReportPage();
    if (!page.isEmpty() && openUrl(QUrl::fromLocalFile(page)))
        return;
    orvik::ShowInformation(QStringLiteral("The page on reporting a problem could not be opened. "
                                          "Please describe what happened and include these "
                                          "versions:\n\n%s"),
                           {VersionsText()});
}
