// Crunch and uncrunch, one character at a time. Both keep string literals
// exactly and look only at the characters next to a blank or an operator,
// so each line costs time in proportion to its length.
#include "tools/crunch.h"

#include "editor/editing_lines.h"
#include "editor/editor_text.h"
#include "editor/fold_markers.h"
#include "platform/text_lines.h"
#include "tools/formatter.h"
#include "platform/text_trim.h"

namespace vendle {
namespace {

// A null character (nothing written yet, the end of the line) is in no set.
bool IsIn(QChar c, QStringView set) {
  return !c.isNull() && set.contains(c);
}

// Whether the text ends with " IS" (letter case ignored): a comparison
// operator after IS keeps a blank before it ("CASE IS >5").
bool EndsWithIs(const QString& out) {
  const qsizetype n = out.size();
  return n >= 3 && out[n - 3] == u' ' && out[n - 2].toUpper() == u'I' && out[n - 1].toUpper() == u'S';
}

// Whether the "E" at `e` is the exponent mark of a number ("1.5E-3"), not
// the end of a name ("X1E-3") or of a hexadecimal number ("&H1E-3").
bool IsExponentMark(QStringView s, qsizetype e) {
  if (e < 1 || (s[e] != u'E' && s[e] != u'e')) return false;
  qsizetype i = e - 1;
  bool digits = false;
  for (; i >= 0 && (IsAsciiDigit(s[i]) || s[i] == u'.'); --i) digits = digits || IsAsciiDigit(s[i]);
  if (!digits) return false;
  if (i < 0) return true;
  const QChar before = s[i];
  return !before.isLetterOrNumber() && before != u'_' && before != u'&';
}

bool IsBlankOnly(QStringView line) {
  for (QChar c : line)
    if (c != u' ') return false;
  return true;
}

qsizetype LeadingBlanks(QStringView line) {
  qsizetype n = 0;
  while (n < line.size() && line[n] == u' ') ++n;
  return n;
}

bool KeepsItsText(int number, QStringView trimmed, bool preserveFirstLine) {
  return (number == 1 && preserveFirstLine) || trimmed.startsWith(u'#');
}

}  // namespace

QList<QStringView> CrunchSourceLines(QStringView text) {
  QList<QStringView> lines = LineTexts(text);
  if (text.isEmpty() || EndsWithLineEnd(text)) lines.append(QStringView());
  return lines;
}

QString CrunchLine(QStringView line) {
  const QString s = TrimSpaces(line).toString() + u' ';
  QString out;
  out.reserve(s.size());
  bool inString = false;
  bool firstRun = true;  // the first run of blanks has not been passed
  QChar last;            // the last character written
  for (qsizetype k = 0; k < s.size(); ++k) {
    const QChar c = s[k];
    const QChar next = k + 1 < s.size() ? s[k + 1] : QChar();
    if (c == u'"') {
      inString = !inString;
    } else if (inString) {
      // written as it stands
    } else if (c == u'\'') {
      break;
    } else if (IsIn(c, u"=<>")) {
      if (EndsWithIs(out)) out += u' ';
    } else if (c == u' ') {
      if (next == u' ') continue;  // the run's last blank decides
      bool keep = true;
      if (firstRun && next == u':') {
        keep = true;  // "CLS :" would otherwise read as a label
      } else if (EndsWithIs(out)) {
        keep = true;
      } else {
        const bool lastEq = IsIn(last, u"=<>");
        const bool nextEq = IsIn(next, u"=<>");
        keep = !(IsIn(last, u"()+-*/\\,;:\"") || IsIn(next, u"()+-*/\\,;$%!:") ||
                 (IsIn(last, u"=<>+-(,") && next == u'"') || (lastEq && !nextEq) || (!lastEq && nextEq));
      }
      firstRun = false;
      if (!keep) continue;
    }
    out += c;
    last = c;
  }
  return TrimSpaces(out).toString();
}

QString UnCrunchLine(QStringView line) {
  const QString s = TrimSpaces(line).toString() + u' ';
  QString out;
  out.reserve(s.size() + s.size() / 2);
  bool inString = false;
  bool firstBlank = true;     // no blank met yet
  bool exponentSign = false;  // the last character written is the sign of an exponent
  QChar p;                    // the previous character
  for (qsizetype k = 0; k < s.size(); ++k) {
    const QChar c = s[k];
    if (inString) {
      out += c;
      if (c == u'"') inString = false;
      p = c;
      continue;
    }
    if (c == u'"') {
      if (p != u' ') out += u' ';
      out += c;
      inString = true;
      p = c;
      continue;
    }
    if (c == u'\'') {
      out += QStringView(s).sliced(k);
      break;
    }
    const bool afterSign = exponentSign;
    exponentSign = false;
    if (p == u' ' || c == u' ') {
      out += c;
      firstBlank = false;
      p = c;
      continue;
    }
    bool blank = false;
    if (IsIn(p, u"=<>") && IsIn(c, u"=<>")) {
      blank = false;  // compound operators stay together
    } else if (IsIn(c, u")+-*/\\;=<>")) {
      exponentSign = (c == u'+' || c == u'-') && IsExponentMark(s, k - 1);
      blank = !exponentSign;
    } else if (c == u':' && !firstBlank) {
      blank = true;
    } else if (afterSign && IsAsciiDigit(c)) {
      blank = false;
    } else if (IsIn(p, u"()+*/\\,;=<>\"")) {
      blank = true;
    } else if (p == u'-' && !IsAsciiDigit(c)) {
      blank = true;
    }
    if (blank) out += u' ';
    out += c;
    p = c;
  }
  return TrimSpaces(out).toString();
}

CrunchResult CrunchProgram(QStringView text, const CrunchOptions& options) {
  CrunchResult r;
  r.text.reserve(text.size());
  int number = 0;
  int written = 0;
  for (QStringView source : CrunchSourceLines(text)) {
    ++number;
    const QString line = TrimSpaces(TabsOutsideStringsToBlanks(source)).toString();
    const QString result = KeepsItsText(number, line, options.preserveFirstLine) ? line : CrunchLine(line);
    if (result.isEmpty()) continue;
    r.text += result;
    r.text += options.lineEnd;
    r.crossReference.append({++written, number});
  }
  return r;
}

QByteArray CrossReferenceBytes(const QList<std::pair<int, int>>& crossReference) {
  QByteArray out;
  out.reserve(crossReference.size() * 12);
  for (const auto& [crunched, source] : crossReference) {
    out += QByteArray::number(crunched);
    out += ' ';
    out += QByteArray::number(source);
    out += "\r\n";
  }
  return out;
}

QString UnCrunchProgram(QStringView text, const CrunchOptions& options) {
  QString out;
  out.reserve(text.size() + text.size() / 4);
  QString indent;
  bool previousEmpty = false;  // the first line counts as following one that is not empty
  int number = 0;
  for (QStringView source : CrunchSourceLines(text)) {
    ++number;
    // A tab is no blank here: the indentation is the leading blanks only.
    if (!IsBlankOnly(source)) indent = IndentToColumn(int(LeadingBlanks(source)), options.useSpaces, options.tabSize);
    const QString line = TrimSpaces(source).toString();
    const QString result = KeepsItsText(number, line, options.preserveFirstLine) ? line : UnCrunchLine(line);
    const qsizetype wordEnd = result.indexOf(u' ');
    if (!previousEmpty && IsHeaderKeyword(QStringView(result).left(wordEnd < 0 ? result.size() : wordEnd)))
      out += options.lineEnd;
    out += indent;
    out += result;
    out += options.lineEnd;
    previousEmpty = result.isEmpty();
  }
  return out;
}

}  // namespace vendle
