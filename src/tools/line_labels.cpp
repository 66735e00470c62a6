// Line numbers to labels. Each row's text is scanned once for jump targets
// in its order: words between separators, the pending separators and string
// literals between them, and a small state that says which coming word is a
// target (after GOTO, GOSUB, ELSE, THEN, RESTORE, in the lists of ON, and in
// the interrupt arguments of SETPIN, SETTICK, I2CEN and I2CSEN). The state
// starts afresh at every ":" outside a string.
#include "tools/line_labels.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <vector>

#include "platform/text_lines.h"
#include "platform/text_values.h"

namespace vendle {
namespace {

struct Row {
  QString number;  // the leading digits as written
  QString text;
  QString label;
};

QStringView TrimBlanks(QStringView s) {
  qsizetype b = 0, e = s.size();
  while (b < e && s[b] == u' ') ++b;
  while (e > b && s[e - 1] == u' ') --e;
  return s.sliced(b, e - b);
}

bool IsSeparator(QChar c) {
  switch (c.unicode()) {
    case u' ': case u',': case u':': case u';': case u'\'': case u'=': case u'<': case u'>': case u'+': case u'-':
    case u'(': case u')': case u'"':
      return true;
    default:
      return false;
  }
}

class RowScan {
 public:
  RowScan(std::vector<Row>& rows, const QHash<QString, int>& rowOfNumber, const QString& prefix)
      : rows_(rows), rowOfNumber_(rowOfNumber), prefix_(prefix) {}

  QString run(const QString& text) {
    const QString s = text + QStringLiteral("  ");
    const qsizetype last = s.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
      const QChar c = s[i];
      if (inString_) {
        between_ += c;
        if (c == u'"') inString_ = false;
        if (i == last) break;
        continue;
      }
      if (IsSeparator(c)) {
        between_ += c;
        if (c == u',') betweenHasComma_ = true;
        const QString token = word_;
        word_.clear();
        if (inWord_) {
          inWord_ = false;
          if (token.compare(u"REM", Qt::CaseInsensitive) == 0) {
            // A remark: the rest of the line as written.
            out_ += token + s.sliced(i);
            return TrimBlanks(out_).toString();
          }
          out_ += process(token, c);
        }
        if (c == u':') startStatement();
      } else {
        if (!inWord_) {
          out_ += between_;
          if (betweenHasComma_ && on_) ++state_;
          between_.clear();
          betweenHasComma_ = false;
          inWord_ = true;
        }
        word_ += c;
      }
      if (i == last) break;
      if (c == u'"') {
        inString_ = true;
      } else if (c == u'\'') {
        out_ += between_ + s.sliced(i + 1);
        between_.clear();
        return TrimBlanks(out_).toString();
      }
    }
    out_ += between_;
    return TrimBlanks(out_).toString();
  }

 private:
  void startStatement() {
    state_ = 0;
    on_ = false;
    then_ = false;
    i2csen_ = false;
  }

  QString process(const QString& token, QChar ender) {
    const QString u = token.toUpper();
    auto keyword = [&](int state) {
      state_ = state;
      then_ = false;
      return token;
    };
    if (u == u"ON") {
      on_ = true;
      then_ = false;
      return token;
    }
    if (u == u"GOTO" || u == u"GOSUB" || u == u"ELSE" || u == u"RESTORE") return keyword(1);
    if (u == u"THEN") {
      state_ = 1;
      then_ = true;
      return token;
    }
    if (u == u"SETPIN") return keyword(4);
    if (u == u"SETTICK") return keyword(8);
    if (u == u"OPEN") return keyword(9);
    if (u == u"I2CSEN") return keyword(10);
    if (u == u"I2CEN") return keyword(6);
    switch (state_) {
      case 1:
      case 2:
        --state_;
        return candidate(token, ender);
      case 3:
        if (u == u"6" || u == u"7" || u == u"INTH" || u == u"INTL" || u == u"INTB") state_ = 2;
        break;
      case 4:
        state_ = 3;
        break;
      case 5:
        state_ = 1;
        if (i2csen_) {
          on_ = true;
          i2csen_ = false;
        }
        break;
      case 6:
        state_ = 5;
        break;
      case 8:
        // SETTICK period, target, timer: only the second is a target.
        state_ = 1;
        break;
      case 9:
        state_ = 0;
        break;
      case 10:
        i2csen_ = true;
        state_ = 6;
        break;
      default:
        break;
    }
    return token;
  }

  QString candidate(const QString& token, QChar ender) {
    QString result = token;
    const auto hit = rowOfNumber_.constFind(TrimBlanks(token).toString());
    if (hit != rowOfNumber_.cend()) {
      Row& target = rows_[*hit];
      if (target.label.isEmpty()) target.label = prefix_ + target.number;
      result = then_ ? QStringLiteral("GOTO ") + target.label : target.label;
    }
    if (ender == u':') result += u' ';
    then_ = false;
    return result;
  }

  std::vector<Row>& rows_;
  const QHash<QString, int>& rowOfNumber_;
  const QString& prefix_;
  QString out_;
  QString between_;
  bool betweenHasComma_ = false;
  QString word_;
  bool inWord_ = false;
  bool inString_ = false;
  int state_ = 0;
  bool on_ = false;
  bool then_ = false;
  bool i2csen_ = false;
};

QStringView FirstWord(QStringView s) {
  const qsizetype blank = s.indexOf(u' ');
  return blank < 0 ? s : s.first(blank);
}

// The blocks whose lines hold 32-bit words in hexadecimal.
bool IsDataBlockWord(QStringView word) { return IsOneOf(word, {u"CSUB", u"CFUNCTION", u"DEFINEFONT"}); }
bool IsDataBlockHeader(QStringView text) { return IsDataBlockWord(FirstWord(text)); }
bool IsDataBlockEnd(QStringView text) {
  return FirstWord(text).compare(u"END", Qt::CaseInsensitive) == 0 && IsDataBlockWord(FirstWord(TrimBlanks(text.sliced(3))));
}

bool IsDataWord(QStringView word) {
  if (word.size() != 8) return false;
  for (QChar c : word) {
    const char16_t u = c.toUpper().unicode();
    if (!((u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'F'))) return false;
  }
  return true;
}

// A name MMBasic takes as a label: a letter, then letters, digits, "_" or ".".
bool IsLabelName(QStringView name) {
  if (name.isEmpty() || !name[0].isLetter() || name[0].unicode() > 127) return false;
  for (QChar c : name)
    if (c.unicode() > 127 || !(c.isLetterOrNumber() || c == u'_' || c == u'.')) return false;
  return true;
}

// The label a line defines ("Main:" or "Main: PRINT"), upper case; "".
QString DefinedLabel(QStringView text) {
  const qsizetype colon = text.indexOf(u':');
  if (colon < 1) return {};
  const QStringView name = text.first(colon);
  return IsLabelName(name) ? name.toString().toUpper() : QString();
}

// "'Name: ..." names its line when Name is a label name that is no keyword.
QString CommentLabel(const QString& text, const QSet<QString>& keywords) {
  if (!text.startsWith(u'\'')) return {};
  const qsizetype colon = text.indexOf(u':');
  if (colon < 1) return {};
  QStringView name = QStringView(text).sliced(1, colon - 1);
  while (!name.isEmpty() && name.front() == u' ') name = name.sliced(1);
  if (!IsLabelName(name) || keywords.contains(name.toString().toUpper())) return {};
  return name.toString();
}

QString LabelledLine(const Row& r) {
  if (r.label.isEmpty()) return r.text;
  if (!r.text.startsWith(u'\'')) return r.label + QStringLiteral(":\n") + r.text;
  const QString own = u'\'' + r.label + u':';
  const qsizetype at = r.text.indexOf(own);
  if (at < 0) return r.label + QStringLiteral(": ") + r.text;
  QString rest = TrimBlanks(QStringView(r.text).sliced(at + own.size())).toString();
  if (!rest.startsWith(u'\'')) rest = QStringLiteral(" '") + rest;
  if (TrimBlanks(rest) == u"'") rest.clear();
  return r.label + QStringLiteral(": ") + rest;
}

}  // namespace

QString LineNumbersToLabels(QStringView text, const QString& givenPrefix, QStringView keywords) {
  // A label has to read as a name: with a prefix that does not start one,
  // "30:" would be a line number again and the jumps to it would break.
  const bool startsName = !givenPrefix.isEmpty() && (givenPrefix[0].isLetter() || givenPrefix[0] == u'_');
  const QString prefix = startsName ? givenPrefix : QStringLiteral("_LBL");
  qsizetype end = text.size();
  while (end > 0 && (text[end - 1] == u'\n' || text[end - 1] == u'\r' || text[end - 1] == u' ')) --end;
  const QStringView body = text.left(end);

  std::vector<Row> rows;
  bool inData = false;  // inside a CSUB, CFUNCTION or DEFINEFONT block
  ForEachLine(body, [&](const TextLine& l) {
    const QStringView line = TrimBlanks(body.sliced(l.start, l.length));
    qsizetype digits = 0;
    while (digits < line.size() && line[digits] >= u'0' && line[digits] <= u'9') ++digits;
    // "10B50446" in a block is a word of data, not line 10.
    if (inData && IsDataWord(FirstWord(line))) digits = 0;
    const QStringView rest = TrimBlanks(line.sliced(digits));
    if (IsDataBlockHeader(rest)) inData = true;
    else if (IsDataBlockEnd(rest)) inData = false;
    rows.push_back({line.left(digits).toString(), rest.toString(), QString()});
  });
  if (rows.empty()) rows.emplace_back();
  // Nothing to convert: the program stays as it stands, to the byte.
  if (std::none_of(rows.begin(), rows.end(), [](const Row& r) { return !r.number.isEmpty(); }))
    return text.toString();

  QSet<QString> keywordSet;
  for (QStringView w : keywords.split(u' ', Qt::SkipEmptyParts)) keywordSet.insert(w.toString().toUpper());
  QHash<QString, int> rowOfNumber;
  rowOfNumber.reserve(rows.size());
  // The labels the program has, and those this run may make: a comment
  // becomes a label only under a name that no other line has.
  QSet<QString> taken;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const Row& r = rows[i];
    if (!r.number.isEmpty()) {
      if (!rowOfNumber.contains(r.number)) rowOfNumber.insert(r.number, i);
      taken.insert((prefix + r.number).toUpper());
    }
    if (const QString defined = DefinedLabel(r.text); !defined.isEmpty()) taken.insert(defined);
  }
  for (Row& r : rows) {
    if (r.number.isEmpty()) continue;
    const QString name = CommentLabel(r.text, keywordSet);
    if (name.isEmpty() || taken.contains(name.toUpper())) continue;
    taken.insert(name.toUpper());
    r.label = name;
  }

  for (Row& r : rows) r.text = RowScan(rows, rowOfNumber, prefix).run(r.text);

  QString out;
  out.reserve(text.size() + text.size() / 8);
  for (const Row& r : rows) {
    out += LabelledLine(r);
    out += u'\n';
  }
  return out;
}

}  // namespace vendle
