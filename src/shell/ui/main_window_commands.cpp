#include "shell/ui/main_window_commands.h"

#include "shell/ui/app.h"

namespace vendle {

void UpdateFileStatus(App&, int) {}
void StatusRefreshTick(App&) {}
qint64 MarkTime(App&, int) { return 0; }
void AddRecentFile(App&, const QString&) {}
void ShowAboutBox(App&) {}

}  // namespace vendle
