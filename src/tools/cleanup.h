// The clean-up commands of the Program menu as text rules: indents, blank
// lines, comments, C-style comments and wrapping long comments. Pure; texts
// are UTF-16, "blank" is U+0020 only.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vendle {

// The whole-document commands read the lines as the formatter does (CR LF,
// LF and a lone CR each end one; the empty text is one empty line) and end
// every line they keep with LF.

// Each line without its leading blanks and tabs and its trailing blanks
// (trailing tabs stay).
QString RemoveIndentsText(QStringView text);
// The lines that hold more than blanks, unchanged (a line of tabs stays).
QString RemoveBlankLinesText(QStringView text);
// Each line cut before its first "'" outside a string, the blanks before it
// kept; with `preserveFirstLine` the first line stays whole. A line that was
// only a comment stays as an empty line.
QString RemoveCommentsText(QStringView text, bool preserveFirstLine);

// The line-range commands take the lines of the range and give their new
// text, joined with `lineEnd` (none after the last line).

// The lines of a "/* ... */" block and a line starting with "//" (blanks
// before them aside) trimmed of blanks with "' " in front; every other line
// as it is. "*/" closes a block at the end of a line or before a blank.
QString ConvertCStyleCommentLines(const QStringList& lines, QStringView lineEnd);

struct WrapOptions {
  int column = 80;    // W: lines longer than this are wrapped
  bool align = true;  // the new "'" under the old one
  int tabSize = 2;    // for the aligning indentation
  bool useSpaces = true;
  QString lineEnd = QStringLiteral("\r\n");
};

// A line longer than W whose comment starts before column W - 20 is broken
// once, at the last blank in columns W - 10 .. W (that blank ends the first
// part and follows the new "'"), or after column W when there is none (before
// column W when that would cut a character of two UTF-16 units); the
// rest goes on a new line behind a "'" (under the old one with `align`, else
// at the line's own indentation). Other lines stay as they are.
QString WrapCommentLine(QStringView line, const WrapOptions& options);
QString WrapCommentLines(const QStringList& lines, const WrapOptions& options);

}  // namespace vendle
