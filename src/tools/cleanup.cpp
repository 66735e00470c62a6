// The clean-up text rules.
#include "tools/cleanup.h"

#include <algorithm>

#include "editor/editing_lines.h"
#include "editor/editor_text.h"
#include "platform/text_lines.h"
#include "tools/formatter.h"

namespace vendle {
namespace {

QList<QStringView> DocumentLines(QStringView text) {
  QList<QStringView> lines = LineTexts(text);
  if (lines.isEmpty()) lines.append(QStringView());
  return lines;
}

// The column (0-based) of the first "'" outside a string; -1 when none.
qsizetype CommentStart(QStringView line) {
  bool inString = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    if (line[i] == u'"')
      inString = !inString;
    else if (line[i] == u'\'' && !inString)
      return i;
  }
  return -1;
}

QStringView LeadingWhitespace(QStringView line) {
  qsizetype n = 0;
  while (n < line.size() && (line[n] == u' ' || line[n] == u'\t')) ++n;
  return line.left(n);
}

template <class F>
QString JoinRebuilt(const QStringList& lines, QStringView lineEnd, F&& rebuild) {
  QString out;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i > 0) out += lineEnd;
    out += rebuild(lines[i]);
  }
  return out;
}

}  // namespace

QString RemoveIndentsText(QStringView text) {
  QString out;
  out.reserve(text.size() + 1);
  for (const QString& line : SplitLinesToList(text)) {
    out += TrimBlanks(QStringView(line).sliced(LeadingWhitespace(line).size()));
    out += u'\n';
  }
  return out;
}

QString RemoveBlankLinesText(QStringView text) {
  QString out;
  out.reserve(text.size() + 1);
  for (QStringView line : DocumentLines(text)) {
    if (TrimBlanks(line).isEmpty()) continue;
    out += line;
    out += u'\n';
  }
  return out;
}

QString RemoveCommentsText(QStringView text, bool preserveFirstLine) {
  QString out;
  out.reserve(text.size() + 1);
  bool first = true;
  for (QStringView line : DocumentLines(text)) {
    const qsizetype cut = (first && preserveFirstLine) ? -1 : CommentStart(line);
    out += cut < 0 ? line : line.left(cut);
    out += u'\n';
    first = false;
  }
  return out;
}

QString ConvertCStyleCommentLines(const QStringList& lines, QStringView lineEnd) {
  bool inBlock = false;
  return JoinRebuilt(lines, lineEnd, [&](const QString& raw) {
    const QString line = TrimBlanks(raw);
    const QString probe = line + u' ';
    const bool closes = probe.contains(u"*/ ");
    if (inBlock || probe.startsWith(u"/*")) {
      inBlock = !closes;
      return QStringLiteral("' ") + line;
    }
    if (probe.startsWith(u"//")) return QStringLiteral("' ") + line;
    return raw;
  });
}

QString WrapCommentLine(QStringView line, const WrapOptions& options) {
  const qsizetype w = options.column;
  if (line.size() <= w) return line.toString();
  const qsizetype comment = CommentStart(line);
  if (comment < 0) return line.toString();
  const qsizetype p = comment + 1;  // columns are 1-based
  if (p >= w - 20) return line.toString();
  // The last blank in columns W - 10 .. W; the first part is columns 1 .. q.
  qsizetype q = 0;
  for (qsizetype col = std::min<qsizetype>(w, line.size()); col >= std::max<qsizetype>(w - 10, 1); --col) {
    if (line[col - 1] == u' ') {
      q = col;
      break;
    }
  }
  // A blank at q is written again behind the new "'"; without one the
  // continuation starts after column W, so no character is written twice.
  // A cut after column W inside a pair of UTF-16 units moves before the pair.
  const qsizetype cut = w < line.size() && line[w - 1].isHighSurrogate() && line[w].isLowSurrogate() ? w - 1 : w;
  const qsizetype restFrom = q > 0 ? q - 1 : cut;
  if (q == 0) q = cut;
  const QString mark = (options.align && p >= 2 ? IndentToColumn(int(p - 1), options.useSpaces, options.tabSize)
                                                : LeadingWhitespace(line).toString()) +
                       u'\'';
  QString out = line.left(q).toString();
  out += options.lineEnd;
  out += mark;
  out += line.sliced(restFrom);
  return out;
}

QString WrapCommentLines(const QStringList& lines, const WrapOptions& options) {
  return JoinRebuilt(lines, options.lineEnd, [&](const QString& line) { return WrapCommentLine(line, options); });
}

}  // namespace vendle
