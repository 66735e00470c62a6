// The own lexer attached to an editor: styles and folds the editor's text on
// demand (SCN_STYLENEEDED) with the editor's word map.
#pragma once

namespace vendle {

class EditorView;
class EditorLexer;

// Creates the lexer record of `editor` and attaches it; null when it cannot be made.
EditorLexer* CreateEditorLexer(EditorView& editor);
EditorLexer* LexerOf(EditorView& editor);

}  // namespace vendle
