#include "app/forms/PlaylistCommands.h"

#include "ui_MainWindow.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/ExportSource.h"
#include "app/catalogue/ImportPlan.h"
#include "app/catalogue/ImportWriter.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/PlaylistReader.h"
#include "app/catalogue/PlaylistWriter.h"
#include "app/forms/ExportDialog.h"
#include "app/forms/ImportDialog.h"
#include "app/forms/MainWindow.h"
#include "app/forms/ProgressWindow.h"
#include "app/forms/TreeOrder.h"
#include "core/ErrorWrapper.h"
#include "core/MessagePresenter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRadioButton>
#include <QStandardPaths>

using namespace orvik;

namespace {

const QString importFilter =
    QStringLiteral("Playlists (*.m3u *.m3u8 *.pls *.xspf *.asx);;All files (*)");
const QString exportFilter =
    QStringLiteral("Extended M3U (*.m3u *.m3u8);;PLS (*.pls);;XSPF (*.xspf)");

// A name given without an extension takes the one of the file type chosen in the dialog.
QString withSuffix(const QString& path, const QString& filter) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    if (filter.contains(QLatin1String("*.pls")))
        return path + QStringLiteral(".pls");
    if (filter.contains(QLatin1String("*.xspf")))
        return path + QStringLiteral(".xspf");
    return path + QStringLiteral(".m3u");
}

// A file name from a category name: characters no file name should hold become "_".
QString fileNameFor(QString name) {
    for (QChar& c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20)
            c = u'_';
    name = name.trimmed();
    return name.isEmpty() ? QStringLiteral("Stations") : name;
}

} // namespace

TPlaylistCommands::TPlaylistCommands(TfrmMain& form) : QObject(&form), f_(form) {
    auto& ui = f_.form();
    actImportPlaylist = new QAction(QStringLiteral("Import playlist..."), &f_);
    actImportPlaylist->setObjectName(QStringLiteral("actImportPlaylist"));
    actExportPlaylist = new QAction(QStringLiteral("Export playlist..."), &f_);
    actExportPlaylist->setObjectName(QStringLiteral("actExportPlaylist"));
    ui.mnuFileMenu->insertAction(ui.mnuExit, actImportPlaylist);
    ui.mnuFileMenu->insertAction(ui.mnuExit, actExportPlaylist);
    ui.mnuFileMenu->insertSeparator(ui.mnuExit);
    connect(actImportPlaylist, &QAction::triggered, this,
            [this] { runGuarded([this] { actImportPlaylistExecute(); }); });
    connect(actExportPlaylist, &QAction::triggered, this,
            [this] { runGuarded([this] { actExportPlaylistExecute(); }); });

    const QString home = QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
    chooseImportFile = [this, home] {
        return QFileDialog::getOpenFileName(&f_, QStringLiteral("Import playlist"), home,
                                            importFilter);
    };
    chooseExportFile = [this, home](const QString& suggested) {
        QString filter;
        const QString path =
            QFileDialog::getSaveFileName(&f_, QStringLiteral("Export playlist"),
                                         QDir(home).filePath(suggested), exportFilter, &filter);
        return withSuffix(path, filter);
    };
    showImportDialog = [](TImportDialog& dialog) { return dialog.exec(); };
    showExportDialog = [](TExportDialog& dialog) { return dialog.exec(); };
}

void TPlaylistCommands::actImportPlaylistExecute() {
    f_.catalogue().CheckWritable();
    const QString path = chooseImportFile();
    if (path.isEmpty())
        return;
    const QString shown = QDir::toNativeSeparators(path);
    TPlaylist playlist;
    try {
        TProgressWindow progress(&f_, QStringLiteral("Reading %1...").arg(shown));
        playlist = ReadPlaylistFile(path, progress.Callback());
    } catch (const TCancelled&) {
        return;
    }
    if (playlist.Entries.isEmpty() && playlist.Unreadable == 0 && playlist.Refused == 0) {
        ShowInformation(QStringLiteral("%1 holds no stations.").arg(shown));
        return;
    }

    TImportPlanner planner(f_.catalogue());
    TImportDialog dialog(&f_, planner, playlist, path);
    if (showImportDialog(dialog) != QDialog::Accepted)
        return;
    const TImportPlan plan = dialog.Plan();
    if (plan.New == 0)
        return;
    TImportResult result;
    try {
        TProgressWindow progress(&f_, QStringLiteral("Importing %1 stations...").arg(plan.New));
        result = WriteImport(f_.catalogue(), playlist, plan, progress.Callback());
    } catch (const TCancelled&) {
        return; // rolled back: the catalogue is as it was
    }
    f_.LoadStations(true);
    ShowInformation(QStringLiteral("Imported %1 stations; %2 new categories.")
                        .arg(result.Stations)
                        .arg(result.Categories));
}

void TPlaylistCommands::actExportPlaylistExecute() {
    auto& ui = f_.form();
    TStationNode* node = selectedNode(ui.tvStations);
    TStationNode* categoryNode = node && node->parent() ? node->parent() : node;
    const TItemPtr category = itemOf(categoryNode);
    const QString categoryName = category ? categoryNode->text(0) : QString();

    QList<qint64> results;
    for (int i = 0; i < ui.lsvResults->count(); ++i)
        if (const TItemPtr item = itemOf(ui.lsvResults->item(i)); item && item->IdExact)
            results << item->Id;

    TExportDialog dialog(
        &f_, category ? (categoryName.isNull() ? QStringLiteral("") : categoryName) : QString(),
        ui.lsvFavorites->count(), int(results.size()));
    if (showExportDialog(dialog) != QDialog::Accepted)
        return;
    TExportRequest request;
    QString suggested = QStringLiteral("Catalogue");
    if (dialog.rbExportCategory->isChecked() && category) {
        request.What = TExportRequest::Scope::Category;
        request.CategoryId = ExactCategoryId(*category);
        suggested = fileNameFor(categoryName);
    } else if (dialog.rbExportFavorites->isChecked()) {
        request.What = TExportRequest::Scope::Favorites;
        suggested = QStringLiteral("Favorites");
    } else if (dialog.rbExportResults->isChecked()) {
        request.What = TExportRequest::Scope::Stations;
        request.StationIds = results;
        suggested = QStringLiteral("Search results");
    }
    const QString path = chooseExportFile(suggested + QStringLiteral(".m3u"));
    if (path.isEmpty())
        return;
    if (!WritableFormat(path))
        throw Error(QStringLiteral("Cannot tell the format of %1: playlists are written as "
                                   ".m3u, .m3u8, .pls or .xspf files.")
                        .arg(QDir::toNativeSeparators(path)));

    const TExportList list = ReadExport(f_.catalogue(), request);
    try {
        TProgressWindow progress(
            &f_, QStringLiteral("Exporting %1 stations...").arg(list.Entries.size()));
        WritePlaylistFile(path, list.Entries, progress.Callback());
    } catch (const TCancelled&) {
        return; // the file was written aside and is dropped
    }
    QString text = QStringLiteral("Exported %1 stations to %2.")
                       .arg(list.Entries.size())
                       .arg(QDir::toNativeSeparators(path));
    if (list.Skipped > 0)
        text += QStringLiteral(" %1 stations without a stream address were left out.")
                    .arg(list.Skipped);
    ShowInformation(text);
}
