// Entry points of the source tools whose builds come later.
#include "tools/ui/tool_commands.h"

namespace vendle {

void RunSourceTool(App&, int) {}
void FindSubFunction(App&) {}
void SubListWindowEvent(App&, const Event&) {}

}  // namespace vendle
