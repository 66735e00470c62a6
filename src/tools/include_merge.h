// Include merge: a program with the text of every file it includes put in
// after the include line, nested includes too. Pure: the files come from a
// resolver, so the merge never touches the disk itself. Texts are UTF-16.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

namespace vendle {

// The file name of an include line: the line, trimmed, starts (letter case
// ignored) with "'$INCLUDE:", "'#INCLUDE" or "#INCLUDE"; the name is the
// rest, trimmed, without its double quotes (a quoted name ends at its closing
// quote, so a comment may follow). None for any other line and for an empty
// name.
std::optional<QString> IncludeName(QStringView line);

// A file found for an include name. `key` tells files apart (a canonical
// path): a file whose key is already on the chain of includes is a loop.
struct IncludedFile {
  QString key;
  QString text;
};
// None when no file of that name can be read.
using IncludeResolver = std::function<std::optional<IncludedFile>(const QString& name)>;

// How deep includes nest: the program's own includes are depth 1.
inline constexpr int kMaxIncludeDepth = 16;

struct MergeResult {
  QString text;
  int files = 0;         // the files merged (an empty file is not)
  QStringList problems;  // one message per include left as it was, in order
};

// Every include line with a file that is not empty gets "'_'" in front and
// is followed by the file's text, merged in its turn, and the line
// "' END INCLUDE" (on the file's last line when the file has no final line
// end). Lines keep their own line ends; an include line without one gets LF.
// A missing file gives "Unable to find <name>\non line <n>", a file already
// on the chain or one deeper than kMaxIncludeDepth "Include loop: <name>\non
// line <n>", n the include's line (1-based) in the merged text; that include
// stays as it was. A file included twice without a loop is merged twice.
MergeResult MergeIncludeFiles(QStringView text, const IncludeResolver& resolve);

// The message box of the end of a merge: title and text.
struct MergeReport {
  QString title;
  QString text;
};
MergeReport MergeReportOf(int files);

// Where an include name points, looked up from `folder` (with a final "/"):
// "\" is read as "/"; the name in the folder, then the same with each path
// component matched without regard to letter case, then the name as given
// when it is absolute. Only a regular file counts; "" when none is found.
QString FindIncludeFile(const QString& folder, const QString& name);

}  // namespace vendle
