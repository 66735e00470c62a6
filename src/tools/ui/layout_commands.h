// The Design menu: the GUI layout designer's five commands on the selected
// tab's document. The text rules are in tools/layout_design.h; these select,
// replace and create tabs.
#pragma once

namespace vendle {

class App;

void NewLayoutDesign(App& app);         // Item::NewLayoutDesign
void IncorporateLayoutCode(App& app);   // Item::IncorporateLayoutCode
void RefreshLayoutCode(App& app);       // Item::RefreshLayoutCode
void ReplaceLayoutVariables(App& app);  // Item::ReplaceVariablesWithNumbers
void ExtractUserCode(App& app);         // Item::ExtractYourCode

}  // namespace vendle
