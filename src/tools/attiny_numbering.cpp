// Numbering and crunching ATTiny programs. Each line runs through a token
// step (keywords written out and set apart), a blank step (runs of blanks
// shrink, no blank before ; / + - *), the target step (the numbers after
// GOTO, GOSUB, THEN, ELSE and RESTORE follow their lines) and, for the
// crunched form, the crunch step. The steps work on pieces of the line:
// program text, and the protected pieces (string literals, a comment, the
// text after REM) that every step passes through as they are.
#include "tools/attiny_numbering.h"

#include <limits>

#include "platform/text_lines.h"

namespace vendle {
namespace {

constexpr qint64 kDefaultStep = 10;

struct Piece {
  QString text;
  bool code = true;
};
using Pieces = std::vector<Piece>;

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool IsTokenSeparator(QChar c) {
  switch (c.unicode()) {
    case u'-': case u'+': case u'*': case u'/': case u'=': case u'>': case u'<': case u';': case u':': case u' ':
      return true;
    default:
      return IsDigit(c);
  }
}

QStringView TrimBlanks(QStringView s) {
  qsizetype b = 0, e = s.size();
  while (b < e && s[b] == u' ') ++b;
  while (e > b && s[e - 1] == u' ') --e;
  return s.sliced(b, e - b);
}

// The value of a leading run of decimal digits; -1 when it is too long to
// be a line number of any program.
qint64 DigitValue(QStringView digits) {
  if (digits.size() > 18) return -1;
  qint64 v = 0;
  for (QChar c : digits) v = v * 10 + (c.unicode() - u'0');
  return v;
}

qsizetype DigitRun(QStringView s) {
  qsizetype n = 0;
  while (n < s.size() && IsDigit(s[n])) ++n;
  return n;
}

void EnsureBlank(QString& out) {
  if (!out.endsWith(u' ')) out += u' ';
}

// Keywords written out and set apart from what surrounds them.
class TokenStep {
 public:
  explicit TokenStep(const AtTinyDialect& d) : d_(d) {}

  Pieces run(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
      const QChar c = text[i];
      if (IsTokenSeparator(c)) {
        if (afterSeparator_) {
          out_ += c;
        } else {
          flush();
          out_ += word_ + u' ' + c;
          clearWord();
          afterSeparator_ = true;
        }
        if (c == u'=') out_ += u' ';
      } else if (c == u'"') {
        flush();
        out_ += word_ + u' ';
        clearWord();
        qsizetype end = text.indexOf(u'"', i + 1);
        end = end < 0 ? text.size() : end + 1;
        protect(text.sliced(i, end - i));
        i = end - 1;
      } else if (c == u'\'') {
        flush();
        out_ += word_;
        clearWord();
        EnsureBlank(out_);
        protect(text.sliced(i));
        return finish();
      } else if (c == u'?') {
        // "?" is a PRINT of its own, whatever stands next to it.
        flush();
        out_ += word_;
        clearWord();
        EnsureBlank(out_);
        out_ += QStringLiteral("PRINT ");
        afterSeparator_ = false;
      } else if (c == u'.') {
        abbreviation();
      } else {
        word_ += c;
        upper_ += c.toUpper();
        afterSeparator_ = false;
        if (word_.size() <= d_.longestKeyword && wordIsKeyword()) {
          EnsureBlank(out_);
          out_ += word_;
          const bool rem = upper_ == QLatin1String("REM");
          clearWord();
          if (rem) {
            // The rest of a REM line is the remark, as written.
            protect(text.sliced(i + 1));
            return finish();
          }
          out_ += u' ';
        }
      }
    }
    EnsureBlank(out_);
    out_ += word_;
    clearWord();
    return finish();
  }

 private:
  void flush() {
    if (!word_.isEmpty() && wordIsKeyword()) EnsureBlank(out_);
  }

  // "GOS." is the first keyword of the list starting with GOS. A dot after
  // no word or after one that starts no keyword is a dot as written ("1.5").
  void abbreviation() {
    const auto found = word_.isEmpty() ? d_.firstWithPrefix.cend() : d_.firstWithPrefix.constFind(upper_);
    if (found == d_.firstWithPrefix.cend()) {
      out_ += word_ + u'.';
      clearWord();
      return;
    }
    EnsureBlank(out_);
    out_ += *found + u' ';
    clearWord();
    afterSeparator_ = false;
  }

  // The word is kept in upper case beside it, so that the lookup made for
  // every character needs no conversion of its own.
  bool wordIsKeyword() const { return upper_ == QLatin1String("REM") || d_.isUpperKeyword(upper_); }
  void clearWord() {
    word_.clear();
    upper_.clear();
  }

  void protect(QStringView text) {
    pieces_.push_back({out_, true});
    pieces_.push_back({text.toString(), false});
    out_.clear();
  }

  Pieces finish() {
    if (!out_.isEmpty() || pieces_.empty()) pieces_.push_back({out_, true});
    out_.clear();
    // The line's own ends lose their blanks; a protected piece is kept whole.
    if (pieces_.front().code) {
      QString& t = pieces_.front().text;
      qsizetype b = 0;
      while (b < t.size() && t[b] == u' ') ++b;
      t.remove(0, b);
    }
    if (pieces_.back().code) {
      QString& t = pieces_.back().text;
      while (t.endsWith(u' ')) t.chop(1);
    }
    return std::move(pieces_);
  }

  const AtTinyDialect& d_;
  Pieces pieces_;
  QString out_;
  QString word_;
  QString upper_;
  bool afterSeparator_ = false;
};

// Runs of blanks become one blank; no blank stays before ; / + - *.
QString BlankStep(QStringView s) {
  QString r;
  r.reserve(s.size());
  for (qsizetype i = 0; i < s.size(); ++i) {
    const QChar c = s[i];
    const bool squeezed = c == u' ' || c == u';' || c == u'/' || c == u'+' || c == u'-' || c == u'*';
    if (squeezed && i > 0 && s[i - 1] == u' ' && !r.isEmpty()) r.chop(1);
    r += c;
  }
  return r;
}

// Asked for every field of the program: the length decides most fields.
bool IsJumpWord(QStringView field) {
  if (field.size() < 4 || field.size() > 7) return false;
  static const QString kWords[] = {QStringLiteral("GOTO"), QStringLiteral("GOSUB"), QStringLiteral("THEN"),
                                   QStringLiteral("ELSE"), QStringLiteral("RESTORE")};
  for (const QString& w : kWords)
    if (field.size() == w.size() && field.compare(w, Qt::CaseInsensitive) == 0) return true;
  return false;
}

// The line numbers after the jump words follow their lines: only the leading
// digits of the field change ("100:" keeps its colon); a field that does not
// start with a digit, or names no line, stays as written.
void TargetStep(Pieces& pieces, const QHash<qint64, qint64>& newNumber) {
  bool targetFollows = false;
  for (Piece& p : pieces) {
    if (!p.code) {
      targetFollows = false;
      continue;
    }
    QString& t = p.text;
    QString r;
    r.reserve(t.size());
    qsizetype i = 0;
    while (i < t.size()) {
      if (t[i] == u' ') {
        r += t[i++];
        continue;
      }
      qsizetype end = i;
      while (end < t.size() && t[end] != u' ') ++end;
      const QStringView field = QStringView(t).sliced(i, end - i);
      const qsizetype digits = DigitRun(field);
      // Too long a number (-1) names no line.
      const auto hit = targetFollows && digits > 0 ? newNumber.constFind(DigitValue(field.left(digits)))
                                                   : newNumber.cend();
      if (hit != newNumber.cend()) {
        r += QString::number(*hit);
        r += field.sliced(digits);
      } else {
        r += field;
      }
      targetFollows = IsJumpWord(field);
      i = end;
    }
    t = std::move(r);
  }
}

bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

// The crunched line before its blanks are decided: the text with every blank
// of the program pieces dropped, and where each one stood.
struct Squeezed {
  QString text;
  std::vector<qsizetype> blanks;  // positions in `text`, ascending

  QString with(const std::vector<bool>& kept) const {
    QString r;
    r.reserve(text.size() + static_cast<qsizetype>(blanks.size()));
    qsizetype from = 0;
    for (std::size_t j = 0; j < blanks.size(); ++j) {
      if (!kept[j]) continue;
      r += QStringView(text).sliced(from, blanks[j] - from);
      r += u' ';
      from = blanks[j];
    }
    r += QStringView(text).sliced(from);
    return r;
  }
};

// Keywords as their abbreviations (PRINT as "?"), upper case and no blanks
// outside the protected pieces.
Squeezed CrunchStep(const Pieces& pieces, const AtTinyDialect& d) {
  Squeezed r;
  for (const Piece& p : pieces) {
    if (!p.code) {
      r.text += p.text;
      continue;
    }
    const QString& t = p.text;
    for (qsizetype i = 0; i < t.size();) {
      if (!IsWordChar(t[i])) {
        if (t[i] != u' ') r.text += t[i].toUpper();
        else if (!r.text.isEmpty() && (r.blanks.empty() || r.blanks.back() != r.text.size()))
          r.blanks.push_back(r.text.size());
        ++i;
        continue;
      }
      qsizetype end = i;
      while (end < t.size() && IsWordChar(t[end])) ++end;
      const QString word = t.sliced(i, end - i).toUpper();
      // The numbering reads a keyword only where a word starts: after a
      // separator, a dot or "?", not after ")" or "," (")FOR" is one word).
      const bool starts = i == 0 || IsTokenSeparator(t[i - 1]) || t[i - 1] == u'.' || t[i - 1] == u'?';
      if (!starts) {
        r.text += word;
      } else if (word == QLatin1String("PRINT")) {
        r.text += u'?';
      } else if (const auto a = d.keywordSlots.test(AtTinyDialect::SlotOf(word)) ? d.abbreviations.constFind(word)
                                                                               : d.abbreviations.cend();
                 a != d.abbreviations.cend()) {
        r.text += a->toUpper();
      } else {
        r.text += word;
      }
      i = end;
    }
  }
  while (!r.blanks.empty() && r.blanks.back() >= r.text.size()) r.blanks.pop_back();
  return r;
}

// What the numbering makes of a line text, for comparing: the program pieces
// in upper case, the protected ones as they are.
QString ReadingOf(const Pieces& pieces) {
  QString r;
  for (const Piece& p : pieces) r += p.code ? p.text.toUpper() : p.text;
  return r;
}
QString ReadingOf(QStringView line, const AtTinyDialect& d) {
  Pieces pieces = TokenStep(d).run(line);
  for (Piece& p : pieces)
    if (p.code) p.text = BlankStep(p.text);
  return ReadingOf(pieces);
}

// Longer lines keep every blank: deciding them one by one costs the square.
constexpr qsizetype kDecidedLineLength = 2000;

// The crunched line: a blank is dropped only where the numbering still reads
// the line as it was. Without a blank a name runs into the keyword or the
// abbreviation after it ("B T." read as "BT."), or into the next name.
QString CrunchedLine(const Pieces& pieces, const AtTinyDialect& d) {
  const Squeezed squeezed = CrunchStep(pieces, d);
  if (squeezed.blanks.empty()) return squeezed.text;
  const QString wanted = ReadingOf(pieces);
  std::vector<bool> kept(squeezed.blanks.size(), false);
  if (ReadingOf(squeezed.text, d) == wanted) return squeezed.text;
  std::fill(kept.begin(), kept.end(), true);
  const QString all = squeezed.with(kept);
  if (all.size() > kDecidedLineLength || ReadingOf(all, d) != wanted) return all;
  for (std::size_t j = 0; j < kept.size(); ++j) {
    kept[j] = false;
    if (ReadingOf(squeezed.with(kept), d) != wanted) kept[j] = true;
  }
  return squeezed.with(kept);
}

struct Entry {
  QString text;
  qint64 number = 0;
  bool numbered = false;
};

Entry ReadLine(QStringView line) {
  const QStringView t = TrimBlanks(line);
  const qsizetype digits = DigitRun(t);
  Entry e;
  e.numbered = digits > 0;
  e.number = e.numbered ? DigitValue(t.left(digits)) : 0;
  e.text = TrimBlanks(t.sliced(digits)).toString();
  return e;
}

}  // namespace

AtTinyDialect AtTinyDialect::From(QStringView keywordList, const std::vector<AtTinyAbbreviation>& abbreviations) {
  AtTinyDialect d;
  d.longestKeyword = 3;  // REM is a keyword of every list
  for (QStringView w : keywordList.split(u' ', Qt::SkipEmptyParts)) {
    const QString upper = w.toString().toUpper();
    d.keywords.insert(upper);
    d.keywordSlots.set(SlotOf(upper));
    d.longestKeyword = std::max(d.longestKeyword, upper.size());
    for (qsizetype n = 1; n <= upper.size(); ++n) {
      const QString prefix = upper.left(n);
      if (!d.firstWithPrefix.contains(prefix)) d.firstWithPrefix.insert(prefix, w.toString());
    }
  }
  for (const AtTinyAbbreviation& a : abbreviations) {
    const QString upper = a.keyword.toUpper();
    if (!d.abbreviations.contains(upper)) d.abbreviations.insert(upper, a.abbreviation);
    d.keywordSlots.set(SlotOf(upper));
  }
  return d;
}

std::size_t AtTinyDialect::SlotOf(QStringView upper) {
  std::size_t h = 2166136261u;
  for (QChar c : upper) h = (h ^ c.unicode()) * 16777619u;
  return (h ^ (h >> 12)) % 4096;
}

bool AtTinyDialect::isKeyword(QStringView word) const {
  if (word.compare(u"REM", Qt::CaseInsensitive) == 0) return true;
  return keywords.contains(word.toString().toUpper());
}

qint64 EffectiveLineNumberStep(qint64 setting) { return setting < 1 ? kDefaultStep : setting; }

QString ConvertAtTinyProgram(QStringView text, AtTinyForm form, qint64 step, const AtTinyDialect& dialect) {
  step = EffectiveLineNumberStep(step);
  QString out;
  std::vector<Entry> entries;
  ForEachLine(text, [&](const TextLine& l) {
    const QStringView line = text.sliced(l.start, l.length);
    // The line naming a script's interpreter stays first, as it is, unnumbered.
    if (l.start == 0 && line.startsWith(u"#!")) {
      out += line;
      out += u'\n';
      return;
    }
    entries.push_back(ReadLine(line));
  });
  if (entries.empty()) entries.emplace_back();

  const bool numbered = form == AtTinyForm::Numbered;
  const qint64 count = static_cast<qint64>(entries.size());
  const qint64 maxStep = std::numeric_limits<qint64>::max() / std::max<qint64>(count, 1);
  if (step > maxStep) step = maxStep;
  auto newNumberOf = [&](qint64 k) { return numbered ? (k + 1) * step : k + 1; };
  // The first line with a number wins it.
  QHash<qint64, qint64> newNumber;
  newNumber.reserve(entries.size());
  for (qint64 k = 0; k < count; ++k)
    if (entries[k].numbered && entries[k].number >= 0 && !newNumber.contains(entries[k].number))
      newNumber.insert(entries[k].number, newNumberOf(k));

  out.reserve(text.size() + count * 8);
  for (qint64 k = 0; k < count; ++k) {
    Pieces pieces = TokenStep(dialect).run(entries[k].text);
    for (Piece& p : pieces)
      if (p.code) p.text = BlankStep(p.text);
    TargetStep(pieces, newNumber);
    const QString number = QString::number(newNumberOf(k));
    if (numbered) {
      out += number.rightJustified(4, u' ');
      out += u' ';
      for (const Piece& p : pieces) out += p.text;
    } else {
      const QString crunched = CrunchedLine(pieces, dialect);
      out += number;
      if (!crunched.isEmpty()) out += u' ' + crunched;
    }
    out += u'\n';
  }
  return out;
}

QString NextAtTinyLineNumber(QStringView line, qint64 step) {
  step = EffectiveLineNumberStep(step);
  const QStringView t = TrimBlanks(line);
  const qint64 n = std::max<qint64>(DigitValue(t.left(DigitRun(t))), 0);
  const qint64 next = n > std::numeric_limits<qint64>::max() - step ? n : n + step;
  return QString::number(next).rightJustified(4, u' ') + u' ';
}

}  // namespace vendle
