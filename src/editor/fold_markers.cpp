#include "editor/fold_markers.h"

#include <QStringList>

namespace vendle {
namespace {

const QLatin1String kBookmark(" '>>>");
const QLatin1String kFold(" 'FoldHere");

struct Line {
  QString text;
  QString end;  // "\r\n", "\n", "\r" or "" for the last line
};

QList<Line> SplitLines(const QString& text) {
  QList<Line> lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != u'\n' && c != u'\r') continue;
    const qsizetype endLen = (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
    lines.append({text.mid(start, i - start), text.mid(i, endLen)});
    i += endLen - 1;
    start = i + 1;
  }
  lines.append({text.mid(start), QString()});
  return lines;
}

QString Join(const QList<Line>& lines) {
  QString out;
  for (const Line& l : lines) out += l.text + l.end;
  return out;
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

QString TrimTrailingBlanks(QString s) {
  qsizetype n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  s.truncate(n);
  return s;
}

// When the line ends (ignoring trailing blanks) with `marker`, cuts the
// marker and the blanks before it and returns true.
bool CutMarker(QString& line, QLatin1String marker) {
  QString body = TrimTrailingBlanks(line);
  if (!body.endsWith(marker)) return false;
  line = TrimTrailingBlanks(body.left(body.size() - marker.size()));
  return true;
}

QString FirstWord(const QString& trimmed) { return trimmed.section(u' ', 0, 0); }

}  // namespace

bool IsHeaderKeyword(QStringView word) {
  for (const char* k : {"FUNCTION", "SUB", "CSUB", "CFUNCTION", "DEFINEFONT"})
    if (word.compare(QLatin1String(k), Qt::CaseInsensitive) == 0) return true;
  return false;
}

QString SubNameOf(const QString& line) {
  QString t = line;
  t.replace(u'\t', u' ');
  const QString name = t.trimmed().section(u' ', 1, 1, QString::SectionSkipEmpty);
  return name.section(u'(', 0, 0);
}

StrippedText StripMarkers(const QString& text) {
  StrippedText out;
  out.names = QStringLiteral(" ");
  QList<Line> lines = SplitLines(text);
  for (int i = 0; i < lines.size(); ++i) {
    QString& line = lines[i].text;
    if (CutMarker(line, QLatin1String("'>>>"))) out.bookmarks.append(i);
    QString copy = line;
    copy.replace(u'\t', u' ');
    const QString trimmed = copy.trimmed();
    const QString word = FirstWord(trimmed);
    if (word.endsWith(u':')) {
      out.names += word.chopped(1) + u' ';
      continue;
    }
    if (!IsHeaderKeyword(word)) continue;
    if (CutMarker(line, QLatin1String("'FoldHere"))) out.foldedLines.append(i + 1);
    const QString name = SubNameOf(line);
    if (!name.isEmpty() && !out.names.contains(u' ' + name + u' ', Qt::CaseInsensitive)) out.names += name + u' ';
  }
  out.text = Join(lines);
  return out;
}

QString AddMarkers(const QString& text, const QList<int>& bookmarks, const QList<int>& foldedLines) {
  if (bookmarks.isEmpty() && foldedLines.isEmpty()) return text;
  QList<Line> lines = SplitLines(text);
  for (int line1 : foldedLines) {
    const int i = line1 - 1;
    if (i < 0 || i >= lines.size()) continue;
    QString copy = lines[i].text;
    copy.replace(u'\t', u' ');
    // Written only where reading strips it again.
    if (!IsHeaderKeyword(FirstWord(copy.trimmed()))) continue;
    lines[i].text = TrimTrailingBlanks(lines[i].text) + kFold;
  }
  for (int i : bookmarks) {
    if (i < 0 || i >= lines.size()) continue;
    lines[i].text = TrimTrailingBlanks(lines[i].text) + kBookmark;
  }
  return Join(lines);
}

QList<int> ParseLineList(const QString& text) {
  QList<int> out;
  for (const QString& f : text.split(u' ', Qt::SkipEmptyParts)) {
    bool ok = false;
    const int n = f.toInt(&ok);
    if (ok) out.append(n);
  }
  return out;
}

QString FormatLineList(const QList<int>& lines) {
  QStringList parts;
  for (int n : lines) parts.append(QString::number(n));
  return parts.join(u' ');
}

}  // namespace vendle
