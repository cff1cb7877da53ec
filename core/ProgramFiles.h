#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Where the program finds its files. Every path to the catalogue, the settings, the skins and
// the shipped pages is asked for here, so that the two ways of running agree:
//
// - From a folder of its own (the build folder, a folder the user unpacked): the folder of the
//   executable is writable and holds data.db. The catalogue, settings.ini, skins/ and
//   links.htm are all there; nothing is kept anywhere else.
// - Installed (e.g. /usr/bin/orvik): the shipped files are in <prefix>/share/orvik; the
//   catalogue is the user's $XDG_DATA_HOME/orvik/data.db, copied from the shipped one at the
//   first start, and the settings are $XDG_CONFIG_HOME/orvik/settings.ini (~/.local/share and
//   ~/.config when the variables are unset). Skins come from the shipped folder, then from the
//   user's $XDG_DATA_HOME/orvik/skins.
//
// Nothing is cached: every answer is worked out from the program folder and the environment of
// the moment, so tests can move both.
namespace orvik {

// True when the program keeps everything in its own folder (the first case above).
bool runsFromOwnFolder();

// The folder of the shipped files (catalogue seed, skins, links.htm), with a trailing
// separator: the program folder when it holds data.db, else <prefix>/share/orvik beside the
// executable's bin folder when that exists, else the program folder.
QString shippedFolder();
QString shippedFile(const QString& name);
// The shipped catalogue, which an installed program copies for each user.
QString shippedCataloguePath();
// The local page of the Links command.
QString linksPagePath();

// The catalogue the program opens and the settings file it keeps.
QString cataloguePath();
QString settingsPath();
// Where the catalogue and settings live, with a trailing separator (for messages and tools).
QString userDataFolder();
QString userConfigFolder();

// The folders searched for *.skn, shipped first, then the user's (installed only).
QStringList skinFolders();
// The user's own skins folder, or empty when the program runs from its own folder.
QString userSkinFolder();
// The full path of a skin file name in the first folder that holds it, or empty.
QString findSkin(const QString& fileName);

// The folders where the executable looks for its modules (the web view), in order.
QStringList moduleFolders();

// Makes sure the catalogue of cataloguePath() exists before it is opened: an installed program
// whose user has none yet copies the shipped one there, never over an existing file, and never
// leaves a partial file under the catalogue's name. Does nothing when the program runs from its
// own folder or when there is no shipped catalogue (opening then reports the missing file).
// Throws orvik::Error when the copy fails. onChunk (tests) sees the bytes copied so far.
void prepareCatalogue(const std::function<void(qint64)>& onChunk = {});

} // namespace orvik
