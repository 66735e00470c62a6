#include "platform/folders.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/paths.h"

namespace vendle {

KnownFolders SystemKnownFolders() {
  KnownFolders k;
  k.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  k.documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  k.home = QDir::homePath();
  return k;
}

bool IsPortableInstall(const QString& programFolder) {
  return QFileInfo(EnsureTrailingSeparator(programFolder) + "portable.inf").isFile();
}

Folders ResolveFolders(const QString& programFolder, const QString& programFileName, const KnownFolders& known,
                       bool portable) {
  const QString home = known.home.isEmpty() ? QStringLiteral("/") : EnsureTrailingSeparator(known.home);
  auto orHome = [&](const QString& f) { return f.isEmpty() ? home : EnsureTrailingSeparator(f); };
  Folders f;
  f.program = EnsureTrailingSeparator(programFolder);
  f.programFileName = programFileName;
  f.portable = portable;
  f.data = portable ? f.program + "Data/" : orHome(known.dataHome) + "Vendle5/";
  // A desktop may name a documents folder that does not exist.
  f.file = QFileInfo(known.documents).isDir() ? EnsureTrailingSeparator(known.documents) : home;
  f.changeLog = f.data + "changes.txt";
  return f;
}

bool SeedDataFolder(const QString& dataFolder, const QString& defaultsRoot) {
  QDir data(dataFolder);
  if (!data.exists() && !QDir().mkpath(dataFolder)) return false;
  const QString root = QDir(defaultsRoot).path();
  QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString relative = source.mid(root.size() + 1);
    const QString target = data.filePath(relative);
    if (QFileInfo::exists(target)) continue;
    QDir().mkpath(QFileInfo(target).path());
    if (QFile::copy(source, target))
      // Copies from resources are read-only; the user must be able to edit them.
      QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  }
  return true;
}

}  // namespace vendle
