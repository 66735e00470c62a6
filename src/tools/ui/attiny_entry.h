// The hand-over of Format document on an "ATTiny" document.
#pragma once

namespace vendle {

class App;

// Numbers or un-numbers the current document for the ATTiny dialect.
void ToggleAtTinyNumbering(App& app);

}  // namespace vendle
