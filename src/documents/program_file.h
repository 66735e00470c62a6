// Program-file conventions: reading and trimming, the target comment that
// names a document's device syntax, and the names of snapshots and clones.
// Program files are Windows-1252 bytes on disk; texts here are UTF-16.
#pragma once

#include <QDateTime>
#include <QString>

namespace vendle {

// Drops every chr(26), CR and LF at the end (keeping at least the first
// character) and appends one line end: LF when the file's last line end is a
// lone LF, CR LF otherwise.
QString TrimTrailingBlankLines(const QString& text);

// The syntax named by " kw\<name>" in the first 100 characters of the first
// line, lower-cased; "" when there is none.
QString ParseTargetComment(const QString& firstLine);

// The path with `suffix` put before the file name's last extension
// ("prog.bas" + "_Copy" -> "prog_Copy.bas"); a name without one gets the
// suffix appended. Dots in folder names do not count.
QString InsertBeforeExtension(const QString& path, const QString& suffix);

// "prog.bas" at 14:05 on 9 December 2026 -> "prog_2612091405.bas".
QString SnapshotPath(const QString& path, const QDateTime& when);

// The first line of a text (up to the first LF, CR removed).
QString FirstLine(const QString& text);

}  // namespace vendle
