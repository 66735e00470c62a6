// The indentation formatter: re-indents an MMBasic program from the block
// structure of its statements. Pure; texts are UTF-16.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace vendle {

struct FormatOptions {
  int indentLabels = 1;    // the starting level (0 or 1; above 1 counts as 1)
  int indentComments = 1;  // 0 column 0, 1 like code, 2 one unit, 3 as read
  int tabSize = 2;         // below 1 counts as 1
  bool useSpaces = true;   // an indent unit is tabSize blanks, else one tab
  QString lineEnd = QStringLiteral("\r\n");
};

// The indentation of `level` units; with tabs at most 8 of them.
QString MakeIndent(int level, const FormatOptions& options);

// The line with every tab outside its string literals made a blank: a tab
// inside a string is program output and stays.
QString TabsOutsideStringsToBlanks(QStringView line);

// The lines of `text` (CR LF, LF and a lone CR each end one; a final line end
// opens no further line), each trimmed of blanks (tabs stay). The empty text
// gives one empty line.
QStringList SplitLinesToList(QStringView text);

// The whole text re-indented; every line, the last one too, is followed by
// the line end, so the empty text becomes one line end. A first line that
// starts with "#!" stays as it is.
QString FormatIndentationText(QStringView text, const FormatOptions& options);

}  // namespace vendle
