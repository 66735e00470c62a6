// Everything loaded from the syntax and keyword files of the data folder: the
// device dialects, the user keywords, the keyword help table, the hints, the
// GUI element lines and the help template halves. Filled once at start-up
// (syntax_load.h) and read by the editors, the hints and the help. All texts
// are UTF-16; the files' encodings are handled by the readers.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace vendle {

// One device dialect, from one ".tkn" file. The three word lists have the
// form " w1 w2 ... wn " (a blank first and after every word; " " when the
// section is present but empty, "" when the file has no such section), so
// they go to the lexer's word registration unchanged. A multi-word phrase
// is written with "~" in place of its blanks.
struct SyntaxEntry {
  QString name;         // file name without ".tkn", case as on disk
  QString description;  // line 1 of the file
  QString keywords;
  QString parameters;  // the "***parameters***" section
  QString multiWords;  // the "***multiword***" section
  std::uint64_t hintMask = 0;  // the dialect's bit in "quick_hint.txt"; 0 when not named there

  bool operator==(const SyntaxEntry&) const = default;
};

// In the sorted order of the file names; the order of the Syntax menu.
using SyntaxList = std::vector<SyntaxEntry>;

// One (keyword, abbreviation) pair of the "ATTiny" dialect, e.g. PRINT, "P.".
struct AtTinyAbbreviation {
  QString keyword;
  QString abbreviation;
  bool operator==(const AtTinyAbbreviation&) const = default;
};

// One row of the keyword help table.
struct KeywordHelpRow {
  QString keyword;     // upper case, "(", "$" and blanks as single blanks ("LEFT ")
  QString helpPage;    // help page base name, without ".htm"
  QString syntaxLine;  // the call form shown as a call tip
  bool operator==(const KeywordHelpRow&) const = default;
  bool isEmpty() const { return keyword.isEmpty() && helpPage.isEmpty() && syntaxLine.isEmpty(); }
};

// Rows 1..kRows (row 0 exists and stays empty, so row numbers are line
// numbers of the files). Lookups search rows 1..count inclusive.
struct KeywordHelpTable {
  static constexpr int kRows = 1600;
  std::vector<KeywordHelpRow> rows = std::vector<KeywordHelpRow>(kRows + 1);
  int count = 0;  // the last row to look at, never above kRows

  // The row r, or an empty row for r outside 1..kRows.
  const KeywordHelpRow& row(int r) const;
};

// One line of "quick_hint.txt".
struct QuickHint {
  std::uint64_t mask = 0;  // the dialects it applies to (bit k-1: k-th name of line 1)
  QString text;
  bool operator==(const QuickHint&) const = default;
};

struct SyntaxData {
  SyntaxList list;
  int current = -1;          // index into list of the syntax applied last; -1 when none
  QString userKeywords;      // words of "user.tkn" joined by blanks, trimmed
  QString atTinyKeywords;    // the word list of the "ATTiny" dialect (" w1 w2 ... ")
  std::vector<AtTinyAbbreviation> atTinyAbbreviations;
  KeywordHelpTable help;
  std::vector<QuickHint> quickHints;
  QStringList guiElements;
  QString helpIndexHead;  // "html2/index.htm" before its first "intro.htm"
  QString helpIndexTail;  // and after it; both empty without a usable template

  const SyntaxEntry* currentEntry() const {
    return current >= 0 && current < static_cast<int>(list.size()) ? &list[current] : nullptr;
  }
};

}  // namespace vendle
