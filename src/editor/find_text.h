// The pure side of find, replace and find-all: the recent-search list, the
// line test of Quick find and Find all, the word Quick find searches for and
// the rows of the Find All window. Texts are UTF-16 QStrings.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace vendle {

inline constexpr int kFindHistoryMax = 10;

// `text` becomes the newest entry: earlier copies (compared case-sensitively)
// go, and the list keeps at most kFindHistoryMax entries. An empty text
// leaves the list as it is.
QStringList AddFindHistory(QStringList history, const QString& text);

// Whether the `length` characters at `pos` of `line` stand as a whole word:
// the characters before and after them (when there are any) are not in
// `wordChars`.
bool IsWholeWordAt(QStringView line, qsizetype pos, qsizetype length, QStringView wordChars);

struct LineMatch {
  qint64 line = 0;  // 1-based
  QString text;     // the line, trimmed of blanks and tabs
  friend bool operator==(const LineMatch&, const LineMatch&) = default;
};

struct LineMatchOptions {
  bool ignoreCase = true;
  bool wholeWord = true;
  QString wordChars;  // "Valid word characters", for the whole-word test
};

// Every line of `text` (CR LF, LF and a lone CR end lines, as in the editor)
// that holds `word`, once per line, in order. An empty word matches nothing.
std::vector<LineMatch> LinesMatching(QStringView text, QStringView word, const LineMatchOptions& options);

// The word Quick find searches for: the selection, joined by the character
// after it when that is "$", "%" or "!". `widened` tells whether it was.
struct QuickFindTerm {
  QString word;
  bool widened = false;
};
QuickFindTerm QuickFindWordOf(const QString& selection, QChar next);

// One found line of Find all or Quick find.
struct FindAllResult {
  int tabIndex = 0;
  int editor = 0;    // the document's editor control when it was found
  QString fileName;  // the document's tab name
  QString path;      // the document's file ("" for an untitled one)
  qint64 line = 0;   // 1-based
  QString text;      // trimmed
};

// The rows of the Find All window. With `lineNumbersOnly`: the line number
// right-aligned in 6 characters, three blanks, the text. Without: the file
// name right-aligned in the width of the longest name, a blank, then the same.
QStringList FindAllRows(const std::vector<FindAllResult>& results, bool lineNumbersOnly);

}  // namespace vendle
