// The editors of the pool: the Scintilla set-up each gets when it is created
// and again when a closed document's editor is reset for reuse, the set-up
// of its dialect-independent words and looks, and the marking of unsaved
// changes. Called by the documents when they create, fill and reset their
// editors, and by the settings when they apply to every editor.
#pragma once

#include <functional>

namespace vendle {

class App;
class EditorView;

// Code page, margins, fold and bookmark markers, styles, line-end mode.
void SetUpEditorControl(EditorView& editor, int lineEndingsMode);

// The syntax-independent set-up of an editor: word characters, margins,
// caret line, fonts, styles, the base words of the lexer, tabs, the line-end
// mode of the settings, the change marking.
void ConfigureEditorGadget(App& app, EditorView& editor);

// The editor's lexer record back to its initial options (its word map stays
// until the next syntax is applied).
void ResetEditorLexer(EditorView& editor);

// Starts (or changes) the marking of unsaved changes in `editor`; style 0 or
// `highlight` off marks nothing. Existing marks are cleared.
void SetChangeMarking(EditorView& editor, bool highlight, int styleForChanges);
// Removes every mark of unsaved changes (after a save or a load).
void ClearChangeMarks(EditorView& editor);

// Every editor of the pool, the documents' and the free ones (a setting
// that applies to every document reaches them all; a free one keeps it for
// the document that takes it). Which document is current does not change.
void ForEachEditor(App& app, const std::function<void(EditorView&)>& apply);

}  // namespace vendle
