// Device syntaxes: loading the syntax and keyword files, and the Syntax menu.
#pragma once

namespace vendle {

class App;

void LoadSyntaxFiles(App& app);
void LoadKeywordFiles(App& app);
void ToggleIncludeParameters(App& app);     // item 233
void ApplySyntaxItem(App& app, int item);   // items 234..263
void SetCurrentSyntaxAsDefault(App& app);   // item 275
void CleanupLabelsCommand(App& app);        // item 170

}  // namespace vendle
