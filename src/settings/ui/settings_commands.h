// The preference file's place in the program's life, the settings window
// and the interface language.
#pragma once

namespace vendle {

class App;
struct Event;

void LoadSettings(App& app);    // start-up, once the folders are known
void SaveSettings(App& app);    // shutdown
void CopyInfFiles(App& app);    // item 291
void ShowPreferences(App& app, int page);            // item 109 (page 0), item 220 (page 1)
void SettingsWindowEvent(App& app, const Event& e);  // window 3
void LoadLanguage(App& app);    // start-up

}  // namespace vendle
