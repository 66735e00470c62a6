// The program's folders: where the program is, where its data lives
// (portable mode or the user's data folder), and the documents folder that
// file requesters start in.
#pragma once

#include <QString>

namespace vendle {

// Folders the desktop knows, as found (empty when unknown), each without a
// trailing separator.
struct KnownFolders {
  QString dataHome;   // $XDG_DATA_HOME, default ~/.local/share
  QString documents;  // the XDG documents folder
  QString home;
};

// Every folder string ends in "/".
struct Folders {
  QString program;          // the executable's folder
  QString programFileName;  // the executable's file name
  QString data;             // holds "Vendle5.inf" and every data file
  QString file;             // default folder of the file requesters
  QString changeLog;        // data + "changes.txt"
  bool portable = false;
};

KnownFolders SystemKnownFolders();

// True only for a file (not a folder) named "portable.inf" in `programFolder`.
bool IsPortableInstall(const QString& programFolder);

// Computes the folders. A known folder that is missing gives the home folder
// (and the root only when even that is unknown).
Folders ResolveFolders(const QString& programFolder, const QString& programFileName, const KnownFolders& known,
                       bool portable);

// Creates the data folder when missing and copies in every default data file
// below `defaultsRoot` (a folder or a Qt resource path such as ":/defaults")
// that is not there yet. Existing files are never overwritten. Returns false
// when the folder cannot be created.
bool SeedDataFolder(const QString& dataFolder, const QString& defaultsRoot);

}  // namespace vendle
