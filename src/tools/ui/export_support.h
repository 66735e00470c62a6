// Reading an editor's styled text for the exports.
#pragma once

#include <QList>

#include "platform/ui/sci.h"
#include "tools/exports.h"

namespace vendle {

class EditorView;


// The lines an export covers: with a selection its first to its last line
// (an end at a line start takes that line); without one, line 0 to the line
// count, one past the last line.
struct ExportLines {
  Sci::Pos first = 0;
  Sci::Pos last = 0;
};
ExportLines ExportRangeOf(EditorView& editor);

// Bytes [start, end) styled and decoded, one style per UTF-16 unit.
StyledText StyledRange(EditorView& editor, Sci::Pos start, Sci::Pos end);

// The range's lines without their line ends.
QList<StyledLine> StyledLines(EditorView& editor, const ExportLines& range);

}  // namespace vendle
