// The ATTiny numbering of the current document, which the indentation
// formatter runs in place of indenting an "ATTiny" document.
#pragma once

namespace vendle {

class App;

// Flips the current document between its numbered and crunched forms (the
// document's AtTinyNumbered flag says which it was converted to last); the
// new text is one undo step and ends every line with LF.
void ToggleAtTinyNumbering(App& app);

}  // namespace vendle
