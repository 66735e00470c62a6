// Readers of the keyword and hint files shared by all dialects: "kw_list.txt"
// and "user.csv" into the keyword help table, "quick_hint.txt",
// "gui_elements.txt", and the split of the help index template. Pure
// functions over already decoded text (the four keyword files are ANSI on
// disk, the template UTF-8; see syntax_load.h). Every text is UTF-16.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <vector>

#include "editor/syntax_data.h"

namespace vendle {

// The lines of a decoded text file: split at LF, a CR before the LF
// dropped, no empty line after a final LF.
QStringList SplitTextLines(QStringView text);

// A keyword as the help table keeps it: upper case, every "(", "$" and
// blank turned into a blank, never two blanks in a row ("LEFT$(" gives
// "LEFT ", "line  input" gives "LINE INPUT").
QString NormaliseHelpKeyword(QStringView keyword);

// "kw_list.txt": line r fills row r. Each line is trimmed; an empty line
// or one beginning with "keyword" (ignoring case, the heading) leaves its
// row empty. Fields are TAB-separated: keyword, help page, syntax line (its
// double quotes removed). Lines beyond the table's last row are ignored.
// Returns the number of lines.
int ApplyKwList(KeywordHelpTable& table, const QStringList& lines);

// "user.csv": line r overwrites row r again from row 1; an empty line
// leaves its row as it was. Fields are comma-separated: keyword, help page,
// then the syntax line is all text after the second comma, without its
// enclosing double quotes when it begins with one (a lone quote gives an
// empty line). Returns the number of lines.
int ApplyUserCsv(KeywordHelpTable& table, const QStringList& lines);

// The number of the last row to look at: one more than the line count of
// the last file read, never above the table. `userCsvLines` is -1 when
// "user.csv" is missing or holds no non-blank line (an empty file does not
// hide the whole keyword list); `kwListLines` is -1 when "kw_list.txt" is
// missing. Neither file gives 0.
int KeywordHelpCount(int kwListLines, int userCsvLines);

// "quick_hint.txt" without its first line: every non-empty trimmed line
// is a hint whose mask is its first field read as binary digits (the
// leading 0 and 1 digits, at most 64; none gives 0) and whose text is the
// line after its first blank (the whole line when it has none).
std::vector<QuickHint> ParseQuickHints(const QStringList& lines);

// Line 1 of "quick_hint.txt": the k-th blank-separated name (k from 1)
// gives the bit k-1 to every entry whose lower-case name equals it; a later
// name replaces an earlier bit; names after the 64th give no bit.
void ApplyHintMasks(SyntaxList& list, QStringView firstLine);

// "gui_elements.txt": every non-empty trimmed line.
QStringList ParseGuiElements(const QStringList& lines);

// "html2/index.htm": the text before and after its first "intro.htm".
// Without that reference the template is unusable: both halves empty.
struct HelpTemplate {
  QString head;
  QString tail;
};
HelpTemplate SplitHelpTemplate(const QString& text);

}  // namespace vendle
