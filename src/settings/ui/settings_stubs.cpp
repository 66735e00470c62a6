// Entry points of the settings whose builds come later.
#include "settings/ui/settings_commands.h"

namespace vendle {

void ShowPreferences(App&, int) {}
void SettingsWindowEvent(App&, const Event&) {}
void LoadLanguage(App&) {}

}  // namespace vendle
