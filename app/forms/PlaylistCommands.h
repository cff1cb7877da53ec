#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class TExportDialog;
class TImportDialog;
class TfrmMain;

// File > "Import playlist..." and "Export playlist...": playlist files in and out of the
// catalogue.
class TPlaylistCommands : public QObject {
    Q_OBJECT
public:
    explicit TPlaylistCommands(TfrmMain& form);

    QAction* actImportPlaylist;
    QAction* actExportPlaylist;

    // The file dialogs and the two dialogs of the commands, shown modally; tests answer them.
    // An empty file name is a cancelled file dialog.
    std::function<QString()> chooseImportFile;
    std::function<QString(const QString& suggested)> chooseExportFile;
    std::function<int(TImportDialog&)> showImportDialog;
    std::function<int(TExportDialog&)> showExportDialog;

    // Reads a playlist, shows what it holds and where it would go, and on Import adds its new
    // stations in one transaction and reloads the catalogue once.
    void actImportPlaylistExecute();
    // Writes a category, the favorites, the search results or the whole catalogue to a file.
    void actExportPlaylistExecute();

private:
    TfrmMain& f_;
};
