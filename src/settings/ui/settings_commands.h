// The preference file's place in the program's life, the settings window
// and the interface language.
#pragma once

#include <QString>

namespace vendle {

class App;
struct Event;

void LoadSettings(App& app);    // start-up, once the folders are known
bool SaveSettings(App& app);    // shutdown and the settings window's Save; false when not written (said)
void CopyInfFiles(App& app);    // Item::CopyInfFiles
// Opens WindowId::Settings "Vendle Settings" at `page` (Item::Preferences: 0, Item::EditProgramList: 1); an
// open window is raised, and Item::EditProgramList selects its page 1.
void ShowPreferences(App& app, int page);
void SettingsWindowEvent(App& app, const Event& e);  // WindowId::Settings

// The interface language: the table from the language file named by
// "Language file" in the data folder's "lang/" (nothing with "none").
void LoadLanguage(App& app);    // start-up
// The text to show for an English interface text (the File menu and the
// "Save language" button); the text itself where its translation is empty.
QString Translate(App& app, const QString& text);
// ControlId::SaveLanguage: writes the whole table to a language file the user names.
void SaveLanguageFile(App& app);

}  // namespace vendle
