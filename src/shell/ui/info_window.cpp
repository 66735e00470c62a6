#include "shell/ui/info_window.h"

#include "shell/ui/app.h"

namespace vendle {

void ShowInfoText(App&, const QString&) {}
void ShowFileInInfoWindow(App&, const QString&) {}
void DebugLog(App&, const QString&) {}
void InfoWindowEvent(App&, const Event&) {}

}  // namespace vendle
