// The source tools, exports and printing.
#pragma once

namespace vendle {

class App;
struct Event;

void RunSourceTool(App& app, int item);   // Program and Design menu items 158..174, 183..187
void RunExport(App& app, int item);       // items 99..103
void PrintCurrentDocument(App& app);      // item 108
void FindSubFunction(App& app);           // item 207
void SubListWindowEvent(App& app, const Event& e);  // window 450
void InitPrintOptions(App& app);          // start-up: the print options' fixed start values
void SetPrintMargins(App& app);           // start-up: the four margins from the settings

}  // namespace vendle
