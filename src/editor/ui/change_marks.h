// Marks of the unsaved changes: this Scintilla keeps no change history, so
// the editor layer marks changed lines itself. Style 1 puts marker 21 in
// margin 4 (mask 0xF00000), style 2 an indicator under the changed text,
// style 3 both. Saving, loading and undoing back to the save point clear
// the marks.
#pragma once

#include "editor/ui/edit_guards.h"    // ChangeMarksPaused
#include "editor/ui/editor_setup.h"   // ClearChangeMarks, SetChangeMarking

namespace vendle {

class EditorView;

inline constexpr int kChangeMarker = 21;
inline constexpr int kChangeIndicator = 30;  // a container indicator (8..31)

// Marks text inserted while the editor sent no change notifications (a
// command that makes many edits at once) as its notification would have.
void MarkInsertedText(EditorView& editor, long long position, long long length);

}  // namespace vendle
