#include "editor/ui/editor_lexer.h"

namespace vendle {

EditorLexer* CreateEditorLexer(EditorView&) { return nullptr; }
EditorLexer* LexerOf(EditorView&) { return nullptr; }

}  // namespace vendle
