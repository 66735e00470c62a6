// Line numbers to labels on the running editor.
#pragma once

namespace vendle {

class App;

// Item::RemoveLineNumbers: the selected document converted into a new tab
// "<name>_NoLN.<ext>"; the source stays as it is.
void RemoveLineNumbers(App& app);

}  // namespace vendle
