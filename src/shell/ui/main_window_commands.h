// Commands of the main window itself: the status bar, the stopwatch of the
// long commands, the recent-files list and the About box.
#pragma once

#include <QString>

#include "shell/layout.h"
#include "shell/ui/services.h"

namespace vendle {

class App;

// Status field 1 for editor `control`: lines, bytes and the saved state.
void UpdateFileStatus(App& app, int control);
// TimerId::StatusRefresh: the status of the current document.
void StatusRefreshTick(App& app);
void ShowAboutBox(App& app);  // Item::About
// The layout of the main window's inner area now; all zero before the
// window is built.
MainLayout CurrentMainLayout(App& app);

}  // namespace vendle
