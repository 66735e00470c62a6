// The two forms of an ATTiny program and the conversion between them:
// numbered (keywords written out, tokens apart, lines step, 2 x step, ...
// right-aligned in four columns) and crunched (lines 1, 2, 3 ..., keywords
// abbreviated, PRINT as "?", no blanks, upper case). String literals, comments
// after an apostrophe and the text after REM pass through unchanged. All texts
// are UTF-16.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringView>
#include <bitset>
#include <vector>

#include "editor/syntax_data.h"

namespace vendle {

// The keyword facts of the dialect, made once per run from its keyword list
// (" w1 w2 ... ", in the order of the syntax file) and its abbreviations.
struct AtTinyDialect {
  QSet<QString> keywords;                  // upper case
  QHash<QString, QString> firstWithPrefix;  // upper-case prefix -> first keyword in list order starting with it
  QHash<QString, QString> abbreviations;    // upper-case keyword -> abbreviation ("GOS.")
  qsizetype longestKeyword = 0;
  // A cheap first test for the word looked up after every character: most
  // words are no keyword, and their slot is empty.
  std::bitset<4096> keywordSlots;
  static std::size_t SlotOf(QStringView upper);

  static AtTinyDialect From(QStringView keywordList, const std::vector<AtTinyAbbreviation>& abbreviations);
  bool isKeyword(QStringView word) const;
  bool isUpperKeyword(const QString& upper) const {
    return keywordSlots.test(SlotOf(upper)) && keywords.contains(upper);
  }
};

enum class AtTinyForm { Crunched, Numbered };

// The whole program converted to `form`; every line ends with LF. The
// empty text gives one (empty) line. A first line starting with "#!" stays
// first as it is and gets no number. A step below 1 acts as 10.
QString ConvertAtTinyProgram(QStringView text, AtTinyForm form, qint64 step, const AtTinyDialect& dialect);

// The number typed at the start of the line after `line`: its leading
// decimal number (0 without one) plus `step` (below 1: 10), right-aligned in
// four columns and followed by a blank. Longer numbers are written whole.
QString NextAtTinyLineNumber(QStringView line, qint64 step);

// The step the numbering uses for a "Line number step" setting.
qint64 EffectiveLineNumberStep(qint64 setting);

}  // namespace vendle
