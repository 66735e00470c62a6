// The clean-up commands of the Program menu on the selected document; each
// is one undo step and brings the view back at the same document line.
#pragma once

namespace vendle {

class App;

void RemoveIndents(App& app);             // Item::RemoveIndents, the whole document
void RemoveBlankLines(App& app);          // Item::RemoveBlankLines, the whole document
void RemoveComments(App& app);            // Item::RemoveComments, the whole document
void ConvertCStyleComments(App& app);     // Item::ConvertCComments, the selected lines or all
void WrapComments(App& app);              // Item::WrapComments, the selected lines or all
void RemoveNonAsciiCharacters(App& app);  // Item::RemoveNonAscii, the selection or all

}  // namespace vendle
