// The GUI layout designer's text rules. A layout program is laid out in
// sections marked by comment lines; every GUI element line between
// 'GUI_ELEMENTS and 'LOOP_CONTROL takes its position and size from row n of
// a DATA table after "position_data:" through references cpos(n, field).
// Pure; texts are UTF-16, and text built here uses CR LF. Line numbers count
// the lines of the text as the editor does (CR LF, LF and a lone CR each end
// one), so the ui/ half can select by them.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace vendle {

inline constexpr QStringView kRunOnceMarker = u"'RUN_ONCE";
inline constexpr QStringView kGuiElementsMarker = u"'GUI_ELEMENTS";
inline constexpr QStringView kLoopControlMarker = u"'LOOP_CONTROL";
inline constexpr QStringView kPositionDataLabel = u"position_data:";
inline constexpr QStringView kUserDataMarker = u"'USER_DATA";
// The rows new elements get: incorporate and refresh spell them differently.
inline constexpr QStringView kIncorporateRow = u"DATA 100, 100, 70, 20, 1";
inline constexpr QStringView kRefreshRow = u"DATA 100,100, 70, 20, 1";
inline constexpr QStringView kTerminatorRow = u"DATA -1, -1, -1, -1, -1";

// Whether a trimmed line is a GUI element line: not empty, and its first
// four characters in upper case, after a blank, occur in " " + words + " "
// (`designWords` is the setting "Gui Design words"; "CIRCLE" matches CIRC).
bool IsElementLine(QStringView trimmed, QStringView designWords);

// Whether the line holds a placeholder word (startX, width, radius ...) in
// any case: a new element line that still wants its references and row.
bool HoldsPlaceholderWord(QStringView line);

// The element line with the references of element `element` in place of its
// placeholder words (any case, every occurrence), without "[" and "]", and
// with "#ref" (any case) as "#" + the number.
QString ConvertElementLine(QStringView line, int element);

struct LineRewrite {
  int line = 0;  // 0-based
  QString text;  // the line's new content, without its line end
  friend bool operator==(const LineRewrite&, const LineRewrite&) = default;
};

// "Incorporate layout code": every element line numbered and converted, and
// the block that takes the place of the 'LOOP_CONTROL line's content: the
// design loop, "position_data:", one row per element and the terminator.
struct IncorporatePlan {
  QList<LineRewrite> rewrites;  // only the lines that change
  int loopControlLine = -1;     // -1: the block goes at the end of the text
  QString block;
  int elements = 0;
};
IncorporatePlan PlanIncorporate(QStringView text, QStringView designLoop, QStringView designWords);

// "Refresh layout code": the element lines added since, converted, and their
// rows put before the terminator row that follows 'LOOP_CONTROL (the old
// rows stay). Without that line or that row nothing changes and `refusal`
// says why.
struct RefreshPlan {
  QString refusal;
  QList<LineRewrite> rewrites;
  int terminatorLine = -1;  // replaced with its line end by `block`
  QString block;            // the new rows and the terminator
  int newRows = 0;
};
RefreshPlan PlanRefresh(QStringView text, QStringView designWords);

// Lines [first, end) of a text; `end` is the line count for "to the end".
struct LineSpan {
  int first = 0;
  int end = 0;
  friend bool operator==(const LineSpan&, const LineSpan&) = default;
};

// The values of a position table: the fields of its DATA lines (any case) in
// order, each trimmed, a trailing comment dropped. Other lines are skipped.
QStringList PositionValues(QStringView table);

// `region` with every cpos(e,k), written exactly so, as value (e - 1) * 5 + k
// (k 1 to 5); the values count up to the first -1, an empty one replaces
// nothing, and a value put in is not read again. One pass over the region.
QString ReplacePositionReferences(QStringView region, const QStringList& values);

// "Replace variables With numbers": the region from the 'GUI_ELEMENTS line to
// the first 'LOOP_CONTROL line (from the top without the first, to the end
// without the second) and its text with numbers, from the table between the
// last "position_data:" line and the first 'USER_DATA line. Markers in any
// case.
struct FlattenPlan {
  LineSpan region;
  QString text;
};
FlattenPlan PlanFlatten(QStringView text);

// "Extract your code": from the line after the last 'RUN_ONCE line (the
// first line without one) to the start of the line just above the first
// 'LOOP_CONTROL line (the end without one), markers in any case; empty when
// the end comes before the start. Each DO line with up to two leading blanks
// becomes an empty line (CR LF lines only).
struct ExtractPlan {
  LineSpan span;
  QString text;
};
ExtractPlan PlanExtract(QStringView text);
QString BlankDoLines(QString text);

// A new design from the template's lines: CR LF + line for each, so the text
// starts with an empty line; the caret goes to the second line below the
// first 'GUI_ELEMENTS line (line 0 without one).
struct NewDesign {
  QString text;
  int caretLine = 0;
};
NewDesign NewDesignText(const QStringList& templateLines);

// A data file's lines joined with CR LF, without a final one.
QString JoinWithCrLf(const QStringList& lines);

}  // namespace vendle
