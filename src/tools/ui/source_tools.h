// The Program menu's formatter and variable report on the current document.
#pragma once

namespace vendle {

class App;

// Item::FormatIndentation and "Format document": re-indents the selected tab's document in
// one undo step, keeping its folds, caret line and first visible line.
void FormatIndentation(App& app);
// Item::VariableReport: the variable report of the current document in WindowId::InfoText.
void ShowVariableReport(App& app);

}  // namespace vendle
