// The text rules of the line editing commands, kept apart from the editor:
// commenting and uncommenting a line, the prefill and postfill tests, the
// colour texts, the INCLUDE directive and the names a finished line adds to
// a document's name lists. Texts are UTF-16 QStrings; "blank" is U+0020
// only (tabs are never trimmed here).
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace vendle {


// Where commenting puts the "'" into the line: behind its leading blanks
// (a tab is no indentation here, so "'" goes in front of it).
qsizetype CommentColumn(QStringView line);
// Where uncommenting removes a "'": the one behind the leading blanks; none
// when the line has no "'" there.
std::optional<qsizetype> UncommentColumn(QStringView line);

enum class FillMode { Off = 0, Prefill = 1, Postfill = 2 };

// Whether prefilling or postfilling the line with `fill` leaves it alone:
// a prefill skips a line whose trimmed text contains `fill`, a postfill one
// whose trimmed text ends with it (letter case ignored both times).
bool FillSkipsLine(FillMode mode, QStringView line, QStringView fill);

// The text of a named colour's item, Item::ColourFirst up to the one before
// Item::ColourLast ("RGB(BLACK)" .. "RGB(NOTBLACK)"); "" for any other item.
// Item::ColourLast builds its text with RgbText.
QString ColourItemText(int item);
// "RGB(r,g,b)" with decimal components and no blanks.
QString RgbText(int red, int green, int blue);

// The include line for `path`: the apostrophe, "#INCLUDE", a blank, the
// quoted path and `lineEnd` (the document's own).
QString IncludeDirectiveText(const QString& path, QStringView lineEnd);

// Whether the blank-separated name list holds `name` as a whole name
// (letter case ignored). An empty name is never held.
bool NameListContains(QStringView list, QStringView name);

// The names that Return after `finishedLine` adds to a document: the routine
// name of a SUB, FUNCTION, CSUB, CFUNCTION or DEFINEFONT line, and the
// declared variables or parameters, each only when its list does not hold it
// yet (and once). Labels and other lines add nothing.
struct NewNames {
  QStringList subs;
  QStringList variables;
  bool empty() const { return subs.isEmpty() && variables.isEmpty(); }
};
NewNames NamesToRegister(QStringView finishedLine, QStringView subNames, QStringView variableNames);

// `list` with each name appended, followed by one blank (a list that does
// not end with a blank gets one first).
QString AppendNames(QString list, const QStringList& names);

}  // namespace vendle
