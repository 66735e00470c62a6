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
  QString refused;  // why the file there is not read (a pipe, too large); then no text
};
// None when no file of that name is there.
using IncludeResolver = std::function<std::optional<IncludedFile>(const QString& name)>;

// How deep includes nest: the program's own includes are depth 1.
inline constexpr int kMaxIncludeDepth = 16;

// Bounds of the merged program: files that include each other many times
// over (each level including the next ten times) grow it beyond any memory.
struct MergeLimits {
  qsizetype characters = qsizetype(64) << 20;
  int files = 10000;  // files merged, a file included twice counted twice
};

struct MergeResult {
  QString text;
  int files = 0;         // the files merged (an empty file is not)
  QStringList problems;  // one entry per include left as it was, in order
  QString stopped;       // a bound was reached: why; then no text, nothing merged
};

// Every include line with a file that is not empty gets "'_'" in front and
// is followed by the file's text, merged in its turn, and the line
// "' END INCLUDE" (on the file's last line when the file has no final line
// end). Lines keep their own line ends; an include line without one gets LF.
// A missing file gives "Unable to find <name>\non line <n>", a file already
// on the chain or one deeper than kMaxIncludeDepth "Include loop: <name>\non
// line <n>", n the include's line (1-based) in the merged text; a file
// that is there but refused "Cannot include <name>: <why>\non line <n>";
// that include stays as it was. A file included twice without a loop is
// merged twice. Past a bound the merge stops with `stopped` said.
MergeResult MergeIncludeFiles(QStringView text, const IncludeResolver& resolve, const MergeLimits& limits = {});

// Every problem of a merge in one message, in order.
QString MergeProblemsText(const QStringList& problems);

// The message box of the end of a merge: title and text.
struct MergeReport {
  QString title;
  QString text;
};
MergeReport MergeReportOf(int files);

// Where an include name points, looked up from `folder` (with a final "/"):
// "\" is read as "/"; the name in the folder, then the same with each path
// component matched without regard to letter case, then the name as given
// when it is absolute. Anything but a folder counts (a pipe is found, for the
// read to refuse it with its reason); "" when none is found.
QString FindIncludeFile(const QString& folder, const QString& name);

}  // namespace vendle
