// The syntax-independent configuration of an editor, and the editor
// settings applied to every editor.
#pragma once

namespace vendle {

class App;
class EditorView;

// Once per editor of the pool, when the main window is built.
void ConfigureEditorGadget(App& app, EditorView& editor);

}  // namespace vendle
