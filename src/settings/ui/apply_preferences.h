// The "Save" button of the settings window's "Preferences" page: the edited
// values go into the settings and on to every open editor. The file itself
// is written at shutdown.
#pragma once

#include "settings/preference_edits.h"

namespace vendle {

class App;

// Takes `edits` into the settings, sets the editors' font size, then gives
// every existing editor 20..20 + MaxTabs the font, the tab settings and the
// colours, and shows "Preferences" / "Settings saved".
void ApplyPreferences(App& app, const PreferenceEdits& edits);

}  // namespace vendle
