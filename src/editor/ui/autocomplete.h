// Autocompletion while typing: the list of registered words offered for the
// word at the caret, the clean-up of a chosen entry, and the cancelling of
// call tips by typing.
#pragma once

namespace vendle {

class App;
class EditorView;

// Connects an editor of the pool to the autocompletion (once per editor).
void AttachAutoComplete(App& app, EditorView& editor);

// Offers the words that begin with the typed word, or closes an open list;
// cancels any call tip. Runs after a typed character or a deletion by a key.
void UpdateCallTip(App& app, EditorView& editor);

// After the control inserted a chosen entry: "~" phrases and "(~" templates
// are cleaned up and the caret goes behind them.
void AutoCompleteDone(App& app, EditorView& editor);

}  // namespace vendle
