// Entry points of the source tools whose builds come later.
#include "tools/ui/tool_commands.h"

namespace vendle {

void RunExport(App&, int) {}
void PrintCurrentDocument(App&) {}
void InitPrintOptions(App&) {}
void SetPrintMargins(App&) {}

}  // namespace vendle
