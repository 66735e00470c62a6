// The clean-up commands of the Program menu on the selected document; each
// is one undo step and brings the view back at the same document line.
#pragma once

namespace vendle {

class App;

void RemoveIndents(App& app);             // item 162, the whole document
void RemoveBlankLines(App& app);          // item 160, the whole document
void RemoveComments(App& app);            // item 161, the whole document
void ConvertCStyleComments(App& app);     // item 168, the selected lines or all
void WrapComments(App& app);              // item 172, the selected lines or all
void RemoveNonAsciiCharacters(App& app);  // item 165, the selection or all

}  // namespace vendle
