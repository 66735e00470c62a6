#include "editor/fold_markers.h"
#include "platform/text_trim.h"

#include <QSet>
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

// When the line ends (ignoring trailing blanks) with `marker`, cuts the
// marker and the blanks before it and returns true.
bool CutMarker(QString& line, QLatin1String marker) {
  const QStringView body = TrimTrailingSpacesAndTabs(line);
  if (!body.endsWith(marker)) return false;
  line = TrimTrailingSpacesAndTabs(body.first(body.size() - marker.size())).toString();
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

MarkerScan::MarkerScan() { out_.names = QStringLiteral(" "); }

bool MarkerScan::Matters(QStringView word, bool hasBookmarkText) {
  return hasBookmarkText || word.endsWith(u':') || IsHeaderKeyword(word);
}

bool MarkerScan::add(QStringView line, int lineNo, QString& kept) {
  // The first word decides; most lines are passed over without a copy.
  qsizetype w = 0;
  while (w < line.size() && IsSpaceOrTab(line[w])) ++w;
  qsizetype we = w;
  while (we < line.size() && !IsSpaceOrTab(line[we])) ++we;
  const QStringView word = line.mid(w, we - w);
  const bool label = word.endsWith(u':');
  const bool header = !label && IsHeaderKeyword(word);
  const bool maybeBookmark = line.contains(QLatin1String("'>>>"));
  if (!label && !header && !maybeBookmark) return false;
  kept = line.toString();
  if (CutMarker(kept, QLatin1String("'>>>"))) out_.bookmarks.append(lineNo);
  if (label) {
    const QString name = word.chopped(1).toString();
    out_.names += name + u' ';
    known_.insert(name.toCaseFolded());
  } else if (header) {
    if (CutMarker(kept, QLatin1String("'FoldHere"))) out_.foldedLines.append(lineNo + 1);
    const QString name = SubNameOf(kept);
    if (!name.isEmpty()) {
      const qsizetype before = known_.size();
      known_.insert(name.toCaseFolded());
      if (known_.size() != before) out_.names += name + u' ';
    }
  }
  return kept.size() != line.size();
}

StrippedText StripMarkers(const QString& text) {
  MarkerScan scan;
  QString result;  // built only once a marker is found
  qsizetype copied = 0;
  const QStringView all(text);
  int lineNo = 0;
  QString kept;
  for (qsizetype start = 0; start <= all.size(); ++lineNo) {
    qsizetype end = start;
    while (end < all.size() && all[end] != u'\n' && all[end] != u'\r') ++end;
    const QStringView line = all.mid(start, end - start);
    qsizetype next = end;
    if (next < all.size()) next += (all[next] == u'\r' && next + 1 < all.size() && all[next + 1] == u'\n') ? 2 : 1;
    else next = all.size() + 1;
    if (scan.add(line, lineNo, kept)) {
      result += all.mid(copied, start - copied);
      result += kept;
      copied = end;
    }
    start = next;
  }
  StrippedText out = std::move(scan.result());
  if (copied == 0 && result.isEmpty()) {
    out.text = text;
  } else {
    result += all.mid(copied);
    out.text = result;
  }
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
    lines[i].text = TrimTrailingSpacesAndTabs(lines[i].text).toString() + kFold;
  }
  for (int i : bookmarks) {
    if (i < 0 || i >= lines.size()) continue;
    lines[i].text = TrimTrailingSpacesAndTabs(lines[i].text).toString() + kBookmark;
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
