// Commands of the main window itself: the status bar, the stopwatch of the
// long commands, the recent-files list and the About box.
#pragma once

#include <QString>

#include "shell/ui/services.h"

namespace vendle {

class App;

// TimerId::StatusRefresh: the status of the current document.
void StatusRefreshTick(App& app);
void ShowAboutBox(App& app);  // Item::About

}  // namespace vendle
