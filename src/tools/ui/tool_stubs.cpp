// Entry points of the source tools whose builds come later.
#include "platform/ids.h"
#include "tools/ui/line_labels_command.h"
#include "tools/ui/tool_commands.h"

namespace vendle {

void RunSourceTool(App& app, int item) {
  if (item == +Item::RemoveLineNumbers) RemoveLineNumbers(app);
}
void RunExport(App&, int) {}
void PrintCurrentDocument(App&) {}
void FindSubFunction(App&) {}
void SubListWindowEvent(App&, const Event&) {}
void InitPrintOptions(App&) {}
void SetPrintMargins(App&) {}

}  // namespace vendle
