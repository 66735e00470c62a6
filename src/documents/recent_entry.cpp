#include "documents/recent_entry.h"

#include <algorithm>
#include <climits>

#include "platform/text_values.h"

namespace vendle {

RecentFileEntry RecentFileEntry::Parse(const QString& line) {
  const QStringList f = line.split(u'|');
  RecentFileEntry e;
  e.path = f.value(0);
  e.caret = static_cast<int>(std::clamp<qint64>(ParseAtol(f.value(1)), 0, INT_MAX));
  e.firstVisibleLine = static_cast<int>(std::clamp<qint64>(ParseAtol(f.value(2)), 0, INT_MAX));
  e.foldedLines = f.value(3);
  e.syntax = f.value(4);
  e.bookmarks = f.value(5);
  return e;
}

QString RecentFileEntry::toString() const {
  return path + u'|' + QString::number(caret) + u'|' + QString::number(firstVisibleLine) + u'|' + foldedLines +
         u'|' + syntax + u'|' + bookmarks;
}

bool PathFitsEntry(const QString& path) {
  return !path.contains(u'|') && !path.contains(u'\r') && !path.contains(u'\n');
}

void AddRecentEntry(QStringList& list, const QString& entry) {
  const QString path = entry.section(u'|', 0, 0);
  for (qsizetype i = list.size() - 1; i >= 0; --i)
    if (list[i].section(u'|', 0, 0) == path) list.removeAt(i);
  list.prepend(entry);
}

std::ostream& operator<<(std::ostream& os, const RecentFileEntry& e) { return os << e.toString().toStdString(); }

}  // namespace vendle
