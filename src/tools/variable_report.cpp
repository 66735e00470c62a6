#include "tools/variable_report.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/text_lines.h"
#include "platform/text_trim.h"
#include "platform/text_values.h"

namespace vendle {
namespace {

constexpr int kLongLine = 100;  // "problem using internal editor"

// Pads with blanks to `n`, or cuts to `n`; a negative width is 0.
QString Lset(QStringView s, int n) {
  n = std::max(0, n);
  if (s.size() >= n) return s.first(n).toString();
  return s.toString() + QString(n - s.size(), u' ');
}

// Pads with blanks to `n` and never cuts: keys stay whole.
QString Pad(QStringView s, int n) {
  if (s.size() >= n) return s.toString();
  return s.toString() + QString(n - s.size(), u' ');
}

// `lower` (ASCII, lower case) is the lower-cased `w`; ASCII words are
// compared as they are, others lower-cased as QString does.
bool EqualsLower(QStringView w, QLatin1StringView lower) {
  for (const QChar c : w)
    if (c.unicode() >= 128) return w.toString().toLower() == lower;
  if (w.size() != lower.size()) return false;
  for (qsizetype i = 0; i < w.size(); ++i) {
    char16_t c = w[i].unicode();
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != lower[i].unicode()) return false;
  }
  return true;
}

// The lower-cased `s` starts with `lower`.
bool StartsLower(QStringView s, QLatin1StringView lower) {
  const qsizetype n = std::min(s.size(), lower.size());
  for (qsizetype i = 0; i < n; ++i)
    if (s[i].unicode() >= 128) return s.toString().toLower().startsWith(lower);
  return s.size() >= lower.size() && EqualsLower(s.first(lower.size()), lower);
}

bool OneOfLower(QStringView w, std::initializer_list<const char*> words) {
  return std::any_of(words.begin(), words.end(), [&](const char* x) { return EqualsLower(w, QLatin1StringView(x)); });
}

// Numbers are never names: "12", "00", "0.00", ".5", "&HFF", "&B101", "&O17".
bool IsNumberWord(QStringView w) {
  if (w.isEmpty()) return false;
  if (IsAsciiDigit(w[0])) return true;
  if (w.size() > 1 && w[0] == u'.' && IsAsciiDigit(w[1])) return true;
  if (w.size() > 1 && w[0] == u'&') {
    const QChar p = w[1].toLower();
    if (p == u'h' || p == u'b' || p == u'o') return true;
  }
  return ParseVal(w) != 0;
}

// A run of line numbers, each after a blank, an LF after every 16th.
struct LineList {
  QString text;
  int count = 0;
  void add(int line) {
    text += u' ';
    text += QString::number(line);
    if (++count % 16 == 0) text += u'\n';
  }
};

struct Row {
  QString key;  // as first written
  QString mark;
  QList<int> lines;
  int lastLine = 0;  // each pass adds its lines in ascending order
  int earlier = 0;   // how many of `lines` an earlier pass added (ascending)
};

enum class Scope { Global, Main, Routine };

struct Counts {
  int functions = 0, cfunctions = 0, csubs = 0, subs = 0, fonts = 0;
  int total() const { return functions + cfunctions + csubs + subs + fonts; }
};

// A row as the table lists it.
struct Listed {
  QString field;  // the first field
  QStringView mark;
  const int* numbers = nullptr;
  qsizetype count = 0;
  qsizetype length = 0;  // of the numbers written with a blank between
  QString folded;        // the sort key of a field not all ASCII
  int row = 0;
  bool ascii = true;
};

// Calls f(line, number) for every line, trimmed, numbered from 1; a text
// without lines is one empty line.
template <class F>
int EachLine(QStringView text, F&& f) {
  int number = 0;
  ForEachLine(text, [&](const TextLine& l) { f(TrimSpacesAndTabs(text.sliced(l.start, l.length)), ++number); });
  if (number == 0) f(QStringView(), ++number);
  return number;
}

// Appends `s` padded with blanks to `n`, or cut to `n`, as Lset gives it.
void AppendLset(QString& out, QStringView s, qsizetype n) {
  n = std::max<qsizetype>(0, n);
  out += s.first(std::min(s.size(), n));
  if (s.size() < n) out.resize(out.size() + n - s.size(), u' ');
}

qsizetype DigitsOf(int n) {
  qsizetype digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

// A line number (never negative) as QString::number writes it.
void AppendNumber(QString& out, int n) {
  char16_t digits[12];
  qsizetype at = std::size(digits);
  do {
    digits[--at] = static_cast<char16_t>(u'0' + n % 10);
    n /= 10;
  } while (n > 0);
  out += QStringView(digits + at, std::ssize(digits) - at);
}

void AppendNumbers(QString& out, const int* numbers, qsizetype count) {
  for (qsizetype i = 0; i < count; ++i) {
    if (i > 0) out += u' ';
    AppendNumber(out, numbers[i]);
  }
}

// The sort key of a first field is its first `width` characters, padded
// with blanks, lower-cased as QString does; an ASCII field is lower-cased
// while it is compared, so only other fields keep a key of their own.
char16_t FoldedAt(const Listed& l, qsizetype i) {
  if (!l.ascii) return l.folded[i].unicode();
  if (i >= l.field.size()) return u' ';
  const char16_t c = l.field[i].unicode();
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

int CompareFolded(const Listed& a, const Listed& b, qsizetype width) {
  const qsizetype an = a.ascii ? width : a.folded.size(), bn = b.ascii ? width : b.folded.size();
  const qsizetype n = std::min(an, bn);
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t x = FoldedAt(a, i), y = FoldedAt(b, i);
    if (x != y) return x < y ? -1 : 1;
  }
  return an < bn ? -1 : (an > bn ? 1 : 0);
}


class Report {
 public:
  explicit Report(const ReportOptions& o) {
    const QString chars = o.wordCharacters + QStringLiteral("$&%!#");
    for (const QChar c : chars) {
      if (c.unicode() < 128) asciiWord_[c.unicode()] = true;
      else otherWord_.append(c);
    }
    for (const QString& k : o.keywords.split(u' ', Qt::SkipEmptyParts)) keywords_.insert(k.toLower());
  }

  QString build(QStringView text, const ReportOptions& o);

 private:
  bool isWordChar(QChar c) const {
    return c.unicode() < 128 ? asciiWord_[c.unicode()] : otherWord_.contains(c);
  }
  // A name in a scope, by the two numbers they were given.
  static quint64 NameKey(int scope, int name) { return (quint64(quint32(scope)) << 32) | quint32(name); }
  int findName(int scope, int name) const { return names_.value(NameKey(scope, name), -1); }
  int addRow(const QString& key, quint64 nameKey, const QString& mark, int line) {
    const int row = static_cast<int>(rows_.size());
    Row r{key, mark, {line}};
    r.lastLine = line;
    rows_.push_back(std::move(r));
    names_.insert(nameKey, row);
    longestKey_ = std::max(longestKey_, static_cast<int>(key.size()));
    return row;
  }
  // Every word once, lower-cased: its number and what it is.
  struct Word {
    int id = 0;
    bool keyword = false;
    bool routine = false;
  };
  Word& wordOf(const QString& lower) {
    auto it = words_.find(lower);
    if (it == words_.end()) it = words_.insert(lower, Word{static_cast<int>(words_.size()), keywords_.contains(lower), false});
    return *it;
  }
  // The word lower-cased, in a buffer kept from word to word.
  const QString& lowerOf(const QString& word) {
    const qsizetype n = word.size();
    lower_.resize(n);
    QChar* d = lower_.data();
    for (qsizetype i = 0; i < n; ++i) {
      char16_t c = word[i].unicode();
      if (c >= 128) {
        lower_ = word.toLower();
        return lower_;
      }
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
      d[i] = QChar(c);
    }
    return lower_;
  }
  // A line is in a row's list once (as a whole number).
  void addLine(int row, int line) {
    Row& r = rows_[row];
    if (r.lastLine == line) return;
    const auto first = r.lines.cbegin(), last = first + r.earlier;
    if (std::binary_search(first, last, line)) return;
    r.lines.append(line);
    r.lastLine = line;
  }
  // A new pass starts: its lines may come again below the earlier ones.
  void startPass() {
    for (Row& r : rows_) {
      r.earlier = static_cast<int>(r.lines.size());
      r.lastLine = 0;
    }
  }
  QString prefix(QStringView scope) const { return Pad(scope, scopeWidth_) + QStringLiteral("\\ "); }

  struct Prefix {
    QString text, lower;
    int id = 0;  // the same for prefixes equal but for letter case
  };
  Prefix prefixOf(QStringView scope) {
    Prefix p{prefix(scope), QString()};
    p.lower = p.text.toLower();
    auto it = scopes_.find(p.lower);
    if (it == scopes_.end()) it = scopes_.insert(p.lower, static_cast<int>(scopes_.size()));
    p.id = *it;
    return p;
  }
  void findRoutines(QStringView text);
  void scanScopes(QStringView text);
  bool countRoutine(QStringView line);
  std::vector<Listed> listRows() const;
  void writeTable(QString& out, const std::vector<Listed>& listed) const;
  void writeSummary(QString& out, qsizetype listed) const;
  void scanLine(QStringView line, Scope scope, const Prefix& scopePrefix, int number, bool header);
  void completeWord(const QString& word, QChar by, QStringView line, Scope scope, const Prefix& scopePrefix,
                    int number, bool header);

  bool asciiWord_[128] = {};
  QString otherWord_;
  QSet<QString> keywords_;

  int scopeWidth_ = 7;
  Prefix globalPrefix_;
  std::vector<Row> rows_;
  QHash<QString, int> slots_;     // a routine's own entry, its key lower-cased -> row
  QHash<quint64, int> names_;     // scope and name -> row
  QHash<QString, int> scopes_;    // lower-cased prefix -> its number
  QHash<QString, Word> words_;    // lower-cased word -> its number and kind
  QString lower_, word_;
  int longestKey_ = 8;

  LineList brackets_, quotes_, escapes_, badEscapes_;
  int lineCount_ = 0;
  Counts counts_;
  QString longLines_;

  // Per line of the scan.
  QString mark_, startMark_;
  bool skipNext_ = false, align_ = false;
};

void Report::completeWord(const QString& word, QChar by, QStringView line, Scope scope, const Prefix& scopePrefix,
                          int number, bool header) {
  const QString& lw = lowerOf(word);
  const Word info = wordOf(lw);
  if (IsExactlyOneOf(lw, {u"dim", u"local", u"const", u"static"})) {
    if (scope != Scope::Global) mark_ = QStringLiteral("**");
  } else if (info.routine) {
    mark_ = QStringLiteral("Fn");
  }
  if (skipNext_) {
    skipNext_ = false;
  } else if (align_ && IsExactlyOneOf(lw, {u"cm", u"ct", u"cb", u"lt", u"lm", u"lb", u"rt", u"rm", u"rb"})) {
  } else {
    const bool keyword = info.keyword;
    bool number_ = !keyword && IsNumberWord(word);
    if (!keyword && !number_ && word.startsWith(u'#')) {
      const QStringView rest = QStringView(word).sliced(1);
      number_ = rest == u"0" || IsNumberWord(rest);
    }
    if (!keyword && !number_) {
      const quint64 own = NameKey(scopePrefix.id, info.id);
      int row = findName(scopePrefix.id, info.id);
      if (mark_ == u"**" || header) {
        if (row < 0 && scope != Scope::Main) row = addRow(scopePrefix.text + word, own, mark_, number);
        else if (row >= 0) addLine(row, number);
        if (row >= 0 && rows_[row].mark.isEmpty()) rows_[row].mark = mark_;
      } else {
        if (row < 0) row = findName(globalPrefix_.id, info.id);
        if (row < 0) {
          row = addRow(scopePrefix.text + word, own, mark_, number);
        } else {
          addLine(row, number);
          if (rows_[row].mark.isEmpty()) rows_[row].mark = mark_;
        }
      }
      if (row >= 0 && by == u':' && line.startsWith(word + u':')) rows_[row].mark = QStringLiteral("Lbl");
    }
    if (IsExactlyOneOf(lw, {u"touch", u"gps", u"cursor", u"sensorfusion", u"sprite"})) skipNext_ = true;
    else if (lw == u"text" || lw == u"caption") align_ = true;
  }
  if (mark_ == u"Fn") mark_ = startMark_;
}

void Report::scanLine(QStringView line, Scope scope, const Prefix& scopePrefix, int number, bool header) {
  enum class Esc { None, Seen, Hex, Dec } esc = Esc::None;
  int escCount = 0, depth = 0;
  bool inString = false, escapeSeen = false, badEscape = false;
  QString& word = word_;
  word.truncate(0);
  startMark_ = mark_ = header ? QStringLiteral("**") : QString();
  skipNext_ = align_ = false;
  // REM opens a remark like the apostrophe: the scan ends there.
  auto isRemark = [](const QString& w) { return w.size() == 3 && w.compare(u"rem", Qt::CaseInsensitive) == 0; };
  // The line is scanned with one blank after it.
  for (qsizetype at = 0; at <= line.size(); ++at) {
    const QChar c = at < line.size() ? line[at] : QChar(u' ');
    if (c == u'"') {
      // An opening quote ends the word before it.
      if (!inString && !word.isEmpty()) {
        if (isRemark(word)) break;
        completeWord(word, c, line, scope, scopePrefix, number, header);
        word.truncate(0);
      }
      inString = !inString;
      if (esc == Esc::Seen) badEscape = true;
      esc = Esc::None;
      escCount = 0;
      continue;
    }
    if (inString) {
      const QChar l = c.toLower();
      switch (esc) {
        case Esc::None:
          if (l == u'\\') esc = Esc::Seen;
          break;
        case Esc::Seen:
          if (QStringView(u"abefnrqtv\\").contains(l)) {
            escapeSeen = true;
            esc = Esc::None;
          } else if (l == u'&') {
            esc = Esc::Hex;
            escCount = 1;
          } else if (IsAsciiDigit(l)) {
            esc = Esc::Dec;
            escCount = 1;
          } else {
            badEscape = true;
          }
          break;
        case Esc::Hex:
        case Esc::Dec: {
          const bool match = IsAsciiDigit(l) || (esc == Esc::Hex && l >= u'a' && l <= u'f');
          if (!match) {
            badEscape = true;
            esc = Esc::None;
          } else if (++escCount == 3) {
            escapeSeen = true;
            esc = Esc::None;
          }
          break;
        }
      }
      continue;
    }
    if (c == u'\'') {
      word.truncate(0);
      break;
    }
    if (isWordChar(c)) {
      word += c;
      continue;
    }
    if (isRemark(word)) break;
    if (c == u'(') ++depth;
    else if (c == u')') --depth;
    if (!word.isEmpty()) {
      completeWord(word, c, line, scope, scopePrefix, number, header);
      word.truncate(0);
    }
  }
  if (scope == Scope::Global) return;
  if (inString) quotes_.add(number);
  if (depth != 0) brackets_.add(number);
  if (escapeSeen) escapes_.add(number);
  if (badEscape) badEscapes_.add(number);
}

// The scope column's width, every routine's own row, and the globals:
// names declared outside the routines, or by DIM inside them.
void Report::findRoutines(QStringView text) {
  lineCount_ = EachLine(text, [&](QStringView line, int) {
    if (IsSubOrFunctionStart(line)) scopeWidth_ = std::max(scopeWidth_, static_cast<int>(RoutineNameOf(line).size()));
  });
  globalPrefix_ = prefixOf(u" Global");
  bool inside = false;
  EachLine(text, [&](QStringView line, int number) {
    if (IsSubOrFunctionStart(line)) {
      // A routine's own row; the same routine again adds its line to it.
      const QString name = RoutineNameOf(line);
      const QString key = Pad(name, scopeWidth_) + u'\\';
      const QString lowerKey = key.toLower();
      if (const int row = slots_.value(lowerKey, -1); row >= 0) {
        addLine(row, number);
      } else {
        Row r{key, QStringLiteral("Fn"), {number}};
        r.lastLine = number;
        slots_.insert(lowerKey, static_cast<int>(rows_.size()));
        rows_.push_back(std::move(r));
      }
      wordOf(name.toLower()).routine = true;
      inside = true;
    } else if (IsSubOrFunctionEnd(line)) {
      inside = false;
    } else if (inside ? StartsLower(line, QLatin1StringView("dim ")) : OneOfLower(SpaceField(line, 0), {"dim", "const"})) {
      scanLine(line, Scope::Global, globalPrefix_, number, false);
    }
  });
}

// Every line in its scope, the main program's or its routine's; the
// routines are counted and the long lines kept on the way. The lines of a
// CSUB, CFUNCTION or DEFINEFONT after its header are data, not code.
void Report::scanScopes(QStringView text) {
  startPass();
  const Prefix mainPrefix = prefixOf(u"!");
  Prefix scopePrefix = mainPrefix;
  Scope scope = Scope::Main;
  bool skipBody = false, data = false;
  EachLine(text, [&](QStringView line, int number) {
    if (line.size() > kLongLine)
      longLines_ += QString::number(number) + u'(' + QString::number(line.size()) + QStringLiteral(") ");
    if (line.isEmpty() || line.startsWith(u'\'')) return;
    if (number == 1 && line.startsWith(u"#!")) return;  // the interpreter of a script
    if (data) skipBody = true;
    if (countRoutine(line)) data = true;
    bool header = false;
    if (IsSubOrFunctionStart(line)) {
      scopePrefix = prefixOf(RoutineNameOf(line));
      scope = Scope::Routine;
      header = true;
    }
    if (IsSubOrFunctionEnd(line)) {
      scopePrefix = mainPrefix;
      scope = Scope::Main;
      skipBody = data = false;
      return;
    }
    if (!skipBody) scanLine(line, scope, scopePrefix, number, header);
  });
}

// Counts the routine a line starts; true for one whose body is data.
bool Report::countRoutine(QStringView line) {
  if (StartsLower(line, QLatin1StringView("sub "))) {
    ++counts_.subs;
  } else if (StartsLower(line, QLatin1StringView("function "))) {
    ++counts_.functions;
  } else if (StartsLower(line, QLatin1StringView("cfunction "))) {
    ++counts_.cfunctions;
    return true;
  } else if (StartsLower(line, QLatin1StringView("csub "))) {
    ++counts_.csubs;
    return true;
  } else if (StartsLower(line, QLatin1StringView("definefont "))) {
    ++counts_.fonts;
    return true;
  }
  return false;
}

// The rows as the table lists them: a routine's own row with its first
// line only, the type column's text, sorted by the first field (ties in
// row order).
std::vector<Listed> Report::listRows() const {
  std::vector<Listed> listed;
  listed.reserve(rows_.size());
  const qsizetype width = longestKey_ + 2;
  for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
    const Row& row = rows_[r];
    const qsizetype bs = row.key.indexOf(u'\\');
    const QStringView before = bs < 0 ? QStringView(row.key) : QStringView(row.key).first(bs);
    const QStringView after = bs < 0 ? QStringView() : QStringView(row.key).sliced(bs + 1);
    Listed l;
    l.row = r;
    l.field = row.key;
    l.numbers = row.lines.constData();
    l.count = row.lines.size();
    if (bs >= 0 && TrimSpaces(before).compare(TrimSpaces(after), Qt::CaseInsensitive) == 0) {
      l.field = before.toString() + QStringLiteral("     ");
      l.count = std::min<qsizetype>(l.count, 1);
    }
    if (row.mark == u"**") l.mark = u"  ";
    else if (row.mark.isEmpty() && TrimSpaces(before) != u"Global") l.mark = u"***";
    else l.mark = row.mark;
    l.length = std::max<qsizetype>(0, l.count - 1);
    for (qsizetype i = 0; i < l.count; ++i) l.length += DigitsOf(l.numbers[i]);
    l.ascii = QtPrivate::isAscii(QStringView(l.field));
    if (!l.ascii) l.folded = Lset(l.field, static_cast<int>(width)).toLower();
    listed.push_back(std::move(l));
  }
  // Their order is sorted, not the rows themselves: a row is large to move.
  std::vector<int> order(listed.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&listed, width](int a, int b) {
    const int c = CompareFolded(listed[a], listed[b], width);
    return c != 0 ? c < 0 : a < b;
  });
  std::vector<Listed> sorted;
  sorted.reserve(listed.size());
  for (const int i : order) sorted.push_back(std::move(listed[i]));
  return sorted;
}

// The table. A row's numbers start behind its name and type columns, and a
// row longer than a line is broken at a blank among its numbers: the first
// blank from the break column on, so every piece makes progress. When the
// numbers start past the break column no piece could be short: no break.
void Report::writeTable(QString& out, const std::vector<Listed>& listed) const {
  const int lk = longestKey_;
  AppendLset(out, u"Scope", scopeWidth_);
  AppendLset(out, u"Variable", lk - scopeWidth_ + 2);
  out += u"Type   Referred To in line:";
  const qsizetype lead = lk + 10;  // the line end and the columns, or a continuation's indentation
  const qsizetype breakFrom = kLongLine - 6;
  const bool wrap = lead <= breakFrom;
  for (const Listed& l : listed) {
    out += u'\n';
    AppendLset(out, l.field, lk + 2);
    AppendLset(out, l.mark, 7);
    const int* numbers = l.numbers;
    qsizetype count = l.count, rest = l.length;
    while (wrap && lead + rest > kLongLine) {
      // The piece ends at the first blank at `breakFrom - lead` or later.
      qsizetype piece = 0, last = 0;
      for (; last + 1 < count; ++last) {
        piece += DigitsOf(numbers[last]);
        if (piece >= breakFrom - lead) break;
        ++piece;
      }
      if (last + 1 >= count) break;
      AppendNumbers(out, numbers, last + 1);
      out += u'\n';
      out.resize(out.size() + lead - 1, u' ');
      numbers += last + 1;
      count -= last + 1;
      rest -= piece + 1;
    }
    AppendNumbers(out, numbers, count);
  }
}

// The counts, and the lines with unpaired brackets or quotes, with escape
// sequences, or longer than the internal editor takes.
void Report::writeSummary(QString& out, qsizetype listed) const {
  out += QStringLiteral("Lines of code: ") + QString::number(lineCount_) + QStringLiteral(", Total variables: ") +
         QString::number(listed) + QStringLiteral("\r\n\r\n");
  const std::pair<const char16_t*, int> counts[] = {
      {u"Functions:   ", counts_.functions}, {u"\r\nCFunctions:  ", counts_.cfunctions},
      {u"\r\nCsubs:       ", counts_.csubs},  {u"\r\nSubroutines: ", counts_.subs},
      {u"\r\nFonts:       ", counts_.fonts},  {u"\r\nTotal:       ", counts_.total()},
      {u"\r\nVariables:   ", static_cast<int>(rows_.size()) - counts_.total()}};
  for (const auto& [title, n] : counts) {
    out += QStringView(title);
    out += QString::number(n);
  }
  out += QStringLiteral("\r\n");
  const std::pair<const char16_t*, const LineList*> lists[] = {
      {u"\r\nLines with unpaired brackets:\r\n", &brackets_},
      {u"\r\nLines with unpaired quotes:\r\n", &quotes_},
      {u"\r\nLines with escape sequences:\r\n", &escapes_},
      {u"\r\nLines with bad escape sequences:\r\n", &badEscapes_},
  };
  for (const auto& [title, list] : lists) {
    if (list->count == 0) continue;
    out += QStringView(title);
    out += list->text;
    out += QStringLiteral("\r\n");
  }
  if (longLines_.isEmpty()) return;
  out += QStringLiteral("\r\nLines longer than ") + QString::number(kLongLine) +
         QStringLiteral(" characters (problem using internal editor):\r\n");
  QStringView rest = longLines_;
  while (rest.size() > kLongLine) {
    const qsizetype blank = rest.indexOf(u' ', 89);
    if (blank < 0) break;
    out += TrimSpaces(rest.first(blank + 1));
    out += QStringLiteral("\r\n");
    rest = rest.sliced(blank + 1);
  }
  out += TrimSpaces(rest);
  out += QStringLiteral("\r\n");
}

QString Report::build(QStringView text, const ReportOptions& o) {
  findRoutines(text);
  scanScopes(text);
  const std::vector<Listed> listed = listRows();
  // The time line comes first but is written last, once the report is
  // built; room for it is kept in front ("Time taken ", 20 digits, "mS\r\n").
  constexpr qsizetype kTimeRoom = 40;
  qsizetype size = kTimeRoom + 1024 + longLines_.size() * 2 + brackets_.text.size() + quotes_.text.size() +
                   escapes_.text.size() + badEscapes_.text.size();
  for (const Listed& l : listed) size += longestKey_ + 10 + l.length + (l.length / 16 + 1);
  QString out;
  out.reserve(size);
  out.resize(kTimeRoom, u' ');
  writeSummary(out, static_cast<qsizetype>(listed.size()));
  out += QStringLiteral("\r\n");
  writeTable(out, listed);
  out += QStringLiteral("\r\n");
  const QString time = QStringLiteral("Time taken ") + QString::number(o.elapsedMs ? o.elapsedMs() : 0) +
                       QStringLiteral("mS\r\n");
  out.remove(0, kTimeRoom - time.size());
  std::copy(time.cbegin(), time.cend(), out.begin());
  return out;
}

}  // namespace

bool IsSubOrFunctionStart(QStringView line) {
  return OneOfLower(SpaceField(line, 0), {"function", "cfunction", "sub", "csub"});
}

bool IsSubOrFunctionEnd(QStringView line) {
  if (!StartsLower(line, QLatin1StringView("end "))) return false;
  for (int f : {1, 2})
    if (OneOfLower(SpaceField(line, f), {"function", "cfunction", "sub", "csub", "definefont"})) return true;
  return false;
}

QString RoutineNameOf(QStringView line) {
  for (int f = 1; f <= 18; ++f) {
    const QStringView field = SpaceField(line, f);
    if (field.isEmpty()) continue;
    const qsizetype bracket = field.indexOf(u'(');
    return (bracket < 0 ? field : field.first(bracket)).toString();
  }
  return QString();
}

QString VariableReportText(QStringView text, const ReportOptions& options) {
  Report report(options);
  return report.build(text, options);
}

}  // namespace vendle
