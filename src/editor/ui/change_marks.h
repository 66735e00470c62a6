// Marks of the unsaved changes: this Scintilla keeps no change history, so
// the editor layer marks changed lines itself. Style 1 puts marker 21 in
// margin 4 (mask 0xF00000), style 2 an indicator under the changed text,
// style 3 both. Saving, loading and undoing back to the save point clear
// the marks.
#pragma once

#include "editor/ui/editor_commands.h"  // SetChangeMarking

namespace vendle {

class EditorView;

inline constexpr int kChangeMarker = 21;
inline constexpr int kChangeIndicator = 30;  // a container indicator (8..31)

// Removes every mark (after a save or a load).
void ClearChangeMarks(EditorView& editor);

// Marks text inserted while the editor sent no change notifications (a
// command that makes many edits at once) as its notification would have.
void MarkInsertedText(EditorView& editor, long long position, long long length);

// While it lives, the editor's changes are not marked (a whole text put in
// by a load is no change of the user's).
class ChangeMarksPaused {
 public:
  explicit ChangeMarksPaused(EditorView& editor);
  ~ChangeMarksPaused();
  ChangeMarksPaused(const ChangeMarksPaused&) = delete;
  ChangeMarksPaused& operator=(const ChangeMarksPaused&) = delete;

 private:
  EditorView& editor_;
};

}  // namespace vendle
