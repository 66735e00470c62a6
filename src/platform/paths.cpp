#include "platform/paths.h"

#include <QDir>

namespace vendle {
namespace {
qsizetype LastSeparator(const QString& path) {
  return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
}
}  // namespace

QString FolderPart(const QString& path) { return path.left(LastSeparator(path) + 1); }

QString FileNamePart(const QString& path) { return path.mid(LastSeparator(path) + 1); }

QString EnsureTrailingSeparator(const QString& folder) {
  if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\')) return folder;
  return folder + u'/';
}

QString MakeAbsolute(const QString& path, const QString& base) {
  if (path.isEmpty() || QDir::isAbsolutePath(path)) return path;
  return QDir::cleanPath(QDir(base).absoluteFilePath(path));
}

}  // namespace vendle
