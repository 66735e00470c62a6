// Path helpers. Folders carry a trailing "/"; the helpers that split a path
// into folder and file part accept "/" and "\" alike, because stored paths
// may come from either system.
#pragma once

#include <QString>

namespace vendle {

// "a/b/c.bas" -> "a/b/" ; "c.bas" -> "".
QString FolderPart(const QString& path);
// "a/b/c.bas" -> "c.bas".
QString FileNamePart(const QString& path);
// "" stays "", anything else ends in exactly one separator afterwards.
QString EnsureTrailingSeparator(const QString& folder);
// `path` made absolute against `base` (a folder); an absolute path is kept.
QString MakeAbsolute(const QString& path, const QString& base);

}  // namespace vendle
