// The preference file's place in the program's life, the settings window
// and the interface language.
#pragma once

#include <QString>

namespace vendle {

class App;
struct Event;

void LoadSettings(App& app);    // start-up, once the folders are known
void SaveSettings(App& app);    // shutdown
void CopyInfFiles(App& app);    // item 291
// Opens window 3 "Vendle Settings" at `page` (item 109: 0, item 220: 1); an
// open window is raised, and item 220 selects its page 1.
void ShowPreferences(App& app, int page);
void SettingsWindowEvent(App& app, const Event& e);  // window 3

// The interface language: the table from the language file named by
// "Language file" in the data folder's "lang/" (nothing with "none").
void LoadLanguage(App& app);    // start-up
// The text to show for an English interface text (the File menu and the
// "Save language" button).
QString Translate(App& app, const QString& text);
// Button 357: writes the whole table to a language file the user names.
void SaveLanguageFile(App& app);

}  // namespace vendle
