#include "documents/program_file.h"

#include "platform/paths.h"

namespace vendle {

QString TrimTrailingBlankLines(const QString& text) {
  qsizetype end = text.size();
  while (end > 1) {
    const QChar c = text[end - 1];
    if (c != u'\r' && c != u'\n' && c != QChar(26)) break;
    --end;
  }
  // The line end the file uses at its end (CR LF when it has none).
  const qsizetype lf = text.lastIndexOf(u'\n');
  const bool lfFile = lf >= 0 && (lf == 0 || text[lf - 1] != u'\r');
  return text.left(end) + (lfFile ? QStringLiteral("\n") : QStringLiteral("\r\n"));
}

QString ParseTargetComment(const QString& firstLine) {
  QString s = firstLine.left(100).trimmed().toLower();
  s.remove(u'\r');
  qsizetype at = s.indexOf(QStringLiteral("'target"));
  if (at >= 0) s = s.mid(at);
  at = s.indexOf(QStringLiteral("' target"));
  if (at >= 0) s = s.mid(at);
  at = s.indexOf(QStringLiteral(" kw\\"));
  if (at < 0) return QString();
  QString word = s.mid(at + 1);
  const qsizetype blank = word.indexOf(u' ');
  if (blank >= 0) word = word.left(blank);
  return word.section(u'\\', 1, 1);
}

QString InsertBeforeExtension(const QString& path, const QString& suffix) {
  const qsizetype nameStart = path.size() - FileNamePart(path).size();
  const qsizetype dot = path.lastIndexOf(u'.');
  if (dot < nameStart || dot < 0) return path + suffix;
  return path.left(dot) + suffix + path.mid(dot);
}

QString SnapshotPath(const QString& path, const QDateTime& when) {
  return InsertBeforeExtension(path, u'_' + when.toString(QStringLiteral("yyMMddHHmm")));
}

QString FirstLine(const QString& text) {
  QString line = text.section(u'\n', 0, 0);
  line.remove(u'\r');
  return line;
}

}  // namespace vendle
