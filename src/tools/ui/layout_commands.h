// The Design menu: the GUI layout designer's five commands on the selected
// tab's document. The text rules are in tools/layout_design.h; these select,
// replace and create tabs.
#pragma once

namespace vendle {

class App;

void NewLayoutDesign(App& app);         // item 183
void IncorporateLayoutCode(App& app);   // item 184
void RefreshLayoutCode(App& app);       // item 185
void ReplaceLayoutVariables(App& app);  // item 186
void ExtractUserCode(App& app);         // item 187

}  // namespace vendle
