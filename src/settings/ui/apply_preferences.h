// The "Save" button of the settings window's "Preferences" page: the edited
// values go into the settings and on to every open editor. The file itself
// is written at shutdown. Also the window's other effects on the editors.
#pragma once

#include "settings/preference_edits.h"

namespace vendle {

class App;

// Takes `edits` into the settings, sets the editors' font size, then gives
// every existing editor 20..20 + MaxTabs the font, the tab settings and the
// colours, and shows "Preferences" / "Settings saved".
void ApplyPreferences(App& app, const PreferenceEdits& edits);

// Each on every existing editor 20..20 + MaxTabs, from the settings:
void ApplyColoursToEditors(App& app);   // the colours
void ApplyTabsToEditors(App& app);      // "Tabsize" and "Use spaces for tabs"
// "Word Wrap" with the visual flags at both ends; a parked editor keeps
// wrapping off and takes the mode when it is shown.
void ApplyWordWrapToEditors(App& app);
// Switches the marking of unsaved changes off.
void StopChangeMarksInEditors(App& app);

}  // namespace vendle
