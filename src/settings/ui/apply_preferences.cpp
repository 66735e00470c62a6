#include "settings/ui/apply_preferences.h"

#include "editor/ui/view_options.h"
#include "platform/ids.h"
#include "platform/requesters.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {

void ApplyPreferences(App& app, const PreferenceEdits& edits) {
  Settings& s = app.settings();
  ApplyPreferenceEdits(s, edits);
  SetEditorFontSize(app, s.fontSize);
  // A slot may have no editor (a closed tab): only existing editors are sent to.
  for (int slot = 0; slot <= s.maxTabs; ++slot) {
    EditorView* editor = EditorOf(app.toolkit(), +ControlId::FirstEditor + slot);
    if (!editor) continue;
    SetEditorFont(app, *editor);
    SetEditorTabs(app, *editor);
    ApplyEditorColours(app, *editor);
  }
  app.requesters().message(QStringLiteral("Preferences"), QStringLiteral("Settings saved"));
}

}  // namespace vendle
