// The Scintilla set-up every editor of the pool gets when it is created and
// again when a closed document's editor is reset for reuse.
#pragma once

namespace vendle {

class EditorView;

// Code page, margins, fold and bookmark markers, styles, line-end mode.
void SetUpEditorControl(EditorView& editor, int lineEndingsMode);

// The editor's lexer record back to its initial options (its word map stays
// until the next syntax is applied).
void ResetEditorLexer(EditorView& editor);

}  // namespace vendle
