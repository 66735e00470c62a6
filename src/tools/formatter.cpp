#include "tools/formatter.h"

#include <algorithm>

#include "platform/text_lines.h"

namespace vendle {
namespace {

QStringView TrimBlanks(QStringView s) {
  qsizetype b = 0, e = s.size();
  while (b < e && s[b] == u' ') ++b;
  while (e > b && s[e - 1] == u' ') --e;
  return s.sliced(b, e - b);
}

// The line with its tabs outside strings turned into blanks, then trimmed.
QString WorkingLine(QStringView line) {
  return TrimBlanks(TabsOutsideStringsToBlanks(line)).toString();
}

// The lower-case copy the rules decide on: string contents and the comment
// dropped, blanks around "=", "(" and ",", one blank after ":".
QString CodeCopy(QStringView working) {
  QString out;
  out.reserve(working.size() + 16);
  bool inString = false;
  for (const QChar c : working) {
    if (c == u'"') {
      inString = !inString;
      if (!inString) out.append(c);  // the closing quote stays
      continue;
    }
    if (inString) continue;
    if (c == u'\'') break;
    if (c == u'=' || c == u'(' || c == u',') {
      out.append(u' ');
      out.append(c);
      out.append(u' ');
    } else if (c == u':') {
      out.append(u": ");
    } else {
      out.append(c);
    }
  }
  return out.toLower();
}

// The field before the first blank (empty when the text starts with one).
QStringView FirstField(QStringView s) {
  const qsizetype at = s.indexOf(u' ');
  return at < 0 ? s : s.first(at);
}

// The second field at single blanks ("" when there is none).
QStringView SecondField(QStringView s) {
  const qsizetype at = s.indexOf(u' ');
  if (at < 0) return {};
  return FirstField(s.sliced(at + 1));
}

bool OneOf(QStringView w, std::initializer_list<const char16_t*> words) {
  return std::any_of(words.begin(), words.end(), [&](const char16_t* x) { return w == QStringView(x); });
}

class LineFormatter {
 public:
  // "Indent Labels" is on or off; a hand-edited larger value is on.
  explicit LineFormatter(const FormatOptions& o) : o_(o), level_(std::clamp(o.indentLabels, 0, 1)) {}

  void format(QStringView asRead, QString& out) {
    const QString working = WorkingLine(asRead);
    const QString code = CodeCopy(working);
    const QStringView first = FirstField(code);
    if (OneOf(first, {u"sub", u"function", u"csub", u"cfunction", u"definefont"})) {
      out.append(working);
      return;
    }
    if (first == u"end" || first == u"return") {
      const QStringView second = SecondField(code);
      if (second == u"if" || second == u"select") {
        level_ = std::max(0, level_ - (second == u"if" ? 1 : 2));
        place(working, level_, out);
      } else {
        out.append(working);
      }
      return;
    }
    if (first.endsWith(u':')) {
      out.append(working);
      return;
    }
    int pending = 0;
    for (QStringView statement : QStringView(code).split(u':')) {
      statement = TrimBlanks(statement);
      if (statement.isEmpty()) break;
      level_ += pending;
      pending = 0;
      const QStringView word = FirstField(statement);
      // The rest of the line is a remark: its words ("REM Note: do this")
      // are no statements.
      if (word == u"rem") break;
      if (word == u"if") {
        // Crunch leaves no blank after ")" or a string: IF A$="x"THEN.
        if (statement.endsWith(u" then") || statement.endsWith(u")then") || statement.endsWith(u"\"then"))
          pending = 1;
      } else if (word == u"endif" || word == u"loop" || word == u"wend") {
        down(1);
      } else if (word == u"else" || word == u"elseif") {
        down(1);
        pending = 1;
      } else if (word == u"for" || word == u"while") {
        pending = 1;
      } else if (word == u"next") {
        down(1 + static_cast<int>(statement.count(u',')));
      } else if (word == u"do") {
        if (!statement.contains(u" loop")) pending = 1;
      } else if (word == u"select") {
        pending = 2;
      } else if (word == u"case") {
        down(1);
        pending = 1;
      }
    }
    if (working.startsWith(u'\'')) {
      switch (o_.indentComments) {
        case 1: place(working, level_, out); break;
        case 2: place(working, 1, out); break;
        case 3: appendExpandingTabs(TrimBlanks(asRead), out); break;
        default: out.append(working); break;
      }
    } else {
      place(working, level_, out);
    }
    level_ += pending;
  }

 private:
  void down(int n) { level_ = std::max(0, level_ - n); }

  // An empty line stays empty: no indentation blanks.
  void place(const QString& working, int level, QString& out) {
    if (working.isEmpty()) return;
    out.append(MakeIndent(level, o_));
    out.append(working);
  }

  // The comment as read; with blanks for tabs each tab fills up to its stop.
  void appendExpandingTabs(QStringView text, QString& out) {
    if (!o_.useSpaces) {
      out.append(text);
      return;
    }
    const int size = std::max(1, o_.tabSize);
    const qsizetype lineStart = out.size();
    for (const QChar c : text) {
      if (c == u'\t') {
        const qsizetype column = out.size() - lineStart;
        out.append(QString(size - column % size, u' '));
      } else {
        out.append(c);
      }
    }
  }

  const FormatOptions& o_;
  int level_;
};

}  // namespace

QString TabsOutsideStringsToBlanks(QStringView line) {
  QString out(line.size(), Qt::Uninitialized);
  bool inString = false, comment = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (!comment) {
      if (c == u'"') inString = !inString;
      else if (c == u'\'' && !inString) comment = true;
    }
    out[i] = (c == u'\t' && !inString) ? QChar(u' ') : c;
  }
  return out;
}

QString MakeIndent(int level, const FormatOptions& o) {
  level = std::max(0, level);
  if (o.useSpaces) return QString(level * std::max(1, o.tabSize), u' ');
  return QString(std::min(level, 8), u'\t');
}

QStringList SplitLinesToList(QStringView text) {
  QStringList lines;
  ForEachLine(text, [&](const TextLine& l) { lines.append(TrimBlanks(text.sliced(l.start, l.length)).toString()); });
  if (lines.isEmpty()) lines.append(QString());
  return lines;
}

QString FormatIndentationText(QStringView text, const FormatOptions& options) {
  QString out;
  out.reserve(text.size() + text.size() / 4 + 16);
  LineFormatter f(options);
  auto one = [&](QStringView line) {
    f.format(line, out);
    out.append(options.lineEnd);
  };
  bool any = false;
  ForEachLine(text, [&](const TextLine& l) {
    const QStringView line = text.sliced(l.start, l.length);
    // "#!..." names the script's interpreter only as it stands, in column 0.
    if (!any && line.startsWith(u"#!")) {
      out.append(line);
      out.append(options.lineEnd);
      any = true;
      return;
    }
    any = true;
    one(TrimBlanks(line));
  });
  if (!any) one(QStringView());
  return out;
}

}  // namespace vendle
