// The source tools, exports and printing.
#pragma once

#include <QString>

namespace vendle {

class App;
class EditorView;
struct Event;

void RunSourceTool(App& app, int item);   // Program menu items 158..174
void RunExport(App& app, int item);       // items 99..103
void PrintCurrentDocument(App& app);      // item 108
// Prints `editor`'s text with the header name `documentName` (the tab name).
void PrintDocument(App& app, EditorView& editor, const QString& documentName);
void FindSubFunction(App& app);           // item 207
void SubListWindowEvent(App& app, const Event& e);  // window 450
void InitPrintOptions(App& app);          // start-up: the print options' fixed start values
void SetPrintMargins(App& app);           // start-up: the four margins from the settings

}  // namespace vendle
