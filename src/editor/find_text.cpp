#include "editor/find_text.h"

#include <algorithm>

#include "platform/text_lines.h"
#include "platform/text_trim.h"

namespace vendle {
namespace {

}  // namespace

QStringList AddFindHistory(QStringList history, const QString& text) {
  if (text.isEmpty()) return history;
  history.removeAll(text);
  history.prepend(text);
  while (history.size() > kFindHistoryMax) history.removeLast();
  return history;
}

bool IsWholeWordAt(QStringView line, qsizetype pos, qsizetype length, QStringView wordChars) {
  if (pos > 0 && wordChars.contains(line[pos - 1])) return false;
  const qsizetype after = pos + length;
  if (after < line.size() && wordChars.contains(line[after])) return false;
  return true;
}

std::vector<LineMatch> LinesMatching(QStringView text, QStringView word, const LineMatchOptions& options) {
  std::vector<LineMatch> out;
  if (word.isEmpty()) return out;
  const Qt::CaseSensitivity cs = options.ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
  qint64 number = 0;
  ForEachLine(text, [&](const TextLine& l) {
    ++number;
    const QStringView line = text.sliced(l.start, l.length);
    for (qsizetype at = line.indexOf(word, 0, cs); at >= 0; at = line.indexOf(word, at + 1, cs)) {
      if (!options.wholeWord || IsWholeWordAt(line, at, word.size(), options.wordChars)) {
        out.push_back({number, TrimSpacesAndTabs(line).toString()});
        break;
      }
    }
  });
  return out;
}

QuickFindTerm QuickFindWordOf(const QString& selection, QChar next) {
  if (!selection.isEmpty() && (next == u'$' || next == u'%' || next == u'!')) return {selection + next, true};
  return {selection, false};
}

QStringList FindAllRows(const std::vector<FindAllResult>& results, bool lineNumbersOnly) {
  qsizetype nameWidth = 0;
  if (!lineNumbersOnly)
    for (const FindAllResult& r : results) nameWidth = std::max(nameWidth, r.fileName.size());
  QStringList rows;
  rows.reserve(static_cast<qsizetype>(results.size()));
  for (const FindAllResult& r : results) {
    QString row;
    if (!lineNumbersOnly) row = r.fileName.rightJustified(nameWidth, u' ') + u' ';
    row += QString::number(r.line).rightJustified(6, u' ') + QStringLiteral("   ") + r.text;
    rows.append(row);
  }
  return rows;
}

}  // namespace vendle
