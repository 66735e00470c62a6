// Entry points of the settings whose builds come later.
#include "settings/ui/settings_commands.h"

namespace vendle {

void LoadSettings(App&) {}
void SaveSettings(App&) {}
void CopyInfFiles(App&) {}
void ShowPreferences(App&, int) {}
void SettingsWindowEvent(App&, const Event&) {}
void LoadLanguage(App&) {}

}  // namespace vendle
