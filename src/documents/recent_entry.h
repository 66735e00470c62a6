// RecentFileEntry: a document's place and view as one line of six "|"
// fields (path, caret, first visible line, folded lines, syntax,
// bookmarks). The recent-files list and the documents open at the last exit
// are made of such lines. Texts are UTF-16.
#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

namespace vendle {

struct RecentFileEntry {
  QString path;
  int caret = 0;
  int firstVisibleLine = 0;
  QString foldedLines;  // blank-separated, 1-based
  QString syntax;
  QString bookmarks;    // blank-separated, 0-based

  // A bare path is an entry; missing fields are empty, numbers that are not
  // numbers read as 0.
  static RecentFileEntry Parse(const QString& line);
  QString toString() const;
  bool operator==(const RecentFileEntry&) const = default;
};

// A path that cannot travel in an entry line: it holds "|", CR or LF.
bool PathFitsEntry(const QString& path);

// Puts `entry` first and drops later entries with the same path (compared exactly).
void AddRecentEntry(QStringList& list, const QString& entry);

std::ostream& operator<<(std::ostream& os, const RecentFileEntry& e);

}  // namespace vendle
