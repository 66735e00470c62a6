// Entry points the documents call on an editor, whose builds come with the
// editor appearance and the bookmarks.
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/editor_setup.h"
#include "editor/ui/view_options.h"

namespace vendle {

void ResetEditorLexer(EditorView&) {}

}  // namespace vendle
