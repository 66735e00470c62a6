// The in-text markers of bookmarks and folds: " '>>>" after a bookmarked
// line and " 'FoldHere" after a folded sub or function header. Written into
// the file text on save (never into the editor), read and stripped on open.
// Lines are the editor's lines: CR LF, LF and a lone CR each end one.
// Texts are UTF-16.
#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>

namespace vendle {

// " FUNCTION SUB CSUB CFUNCTION DEFINEFONT ", ignoring case.
bool IsHeaderKeyword(QStringView word);
// The second blank-separated word of a trimmed line, cut before its first "(".
QString SubNameOf(const QString& line);

struct StrippedText {
  QString text;              // the text without markers
  QList<int> bookmarks;      // 0-based lines that carried " '>>>"
  QList<int> foldedLines;    // 1-based header lines that carried " 'FoldHere"
  QString names;             // " label sub func " names, each followed by a blank, starting with one blank
};

// Strips the markers. Only the marker and the blanks before it are cut, so
// the rest of the line (tabs inside strings too) stays as it is.
StrippedText StripMarkers(const QString& text);

// The same scan a line at a time, for callers that walk the lines
// themselves: every line that may matter, with its 0-based number.
class MarkerScan {
 public:
  MarkerScan();
  // Whether a line whose first blank-separated word is `word` and that
  // holds `hasBookmarkText` (the text "'>>>") can change the result; the
  // others need not be passed.
  static bool Matters(QStringView word, bool hasBookmarkText);
  // Takes the line's markers and names; returns true when the line loses a
  // marker, and `kept` is then its text without it.
  bool add(QStringView line, int lineNo, QString& kept);
  StrippedText& result() { return out_; }

 private:
  StrippedText out_;
  QSet<QString> known_;  // the names so far, case-folded
};

// The text with markers: trailing blanks of a marked line are removed, then
// " 'FoldHere" (header lines only) and " '>>>".
QString AddMarkers(const QString& text, const QList<int>& bookmarks, const QList<int>& foldedLines);

// "0 5 9" <-> {0, 5, 9}; fields that are not numbers are skipped.
QList<int> ParseLineList(const QString& text);
QString FormatLineList(const QList<int>& lines);

}  // namespace vendle
