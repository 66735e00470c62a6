// The source tools, exports and printing.
#pragma once

#include <QString>

namespace vendle {

class App;
class EditorView;
struct Event;

void RunSourceTool(App& app, int item);   // Program menu Item::RemoveLineNumbers to Item::VariableReport
void RunExport(App& app, int item);       // Item::SaveAsRtf to Item::FormatAsColourHtml
void PrintCurrentDocument(App& app);      // Item::Print
// Prints `editor`'s text with the header name `documentName` (the tab name).
void PrintDocument(App& app, EditorView& editor, const QString& documentName);
void FindSubFunction(App& app);           // Item::FindSubFunction
void SubListWindowEvent(App& app, const Event& e);  // WindowId::SubList
void InitPrintOptions(App& app);          // start-up: the print options' fixed start values
void SetPrintMargins(App& app);           // start-up: the four margins from the settings

}  // namespace vendle
