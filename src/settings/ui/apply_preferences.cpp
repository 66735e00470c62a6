#include "settings/ui/apply_preferences.h"

#include "editor/ui/editor_setup.h"
#include "settings/ui/settings_commands.h"
#include "editor/ui/editor_commands.h"
#include "editor/ui/view_options.h"
#include "platform/ids.h"
#include "platform/requesters.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"
#include "editor/ui/editor_view.h"

namespace vendle {
void ApplyPreferences(App& app, const PreferenceEdits& edits) {
  Settings& s = app.settings();
  ApplyPreferenceEdits(s, edits);
  SetEditorFontSize(app, s.fontSize);
  ForEachEditor(app, [&](EditorView& editor) {
    SetEditorFont(app, editor);
    SetEditorTabs(app, editor);
    ApplyEditorColours(app, editor);
  });
  // Written now, through the same safe write as at exit: a crash later keeps them.
  if (SaveSettings(app)) app.requesters().message(QStringLiteral("Preferences"), QStringLiteral("Settings saved"));
}

void ApplyColoursToEditors(App& app) {
  ForEachEditor(app, [&](EditorView& editor) { ApplyEditorColours(app, editor); });
}

void ApplyTabsToEditors(App& app) {
  ForEachEditor(app, [&](EditorView& editor) { SetEditorTabs(app, editor); });
}

void ApplyWordWrapToEditors(App& app) {
  ForEachEditor(app, [&](EditorView& editor) {
    if (editor.isHidden())
      PrepareParkedEditor(app, editor);
    else
      PrepareShownEditor(app, editor);
    editor.sci().send(QsciScintillaBase::SCI_SETWRAPVISUALFLAGS,
                      QsciScintillaBase::SC_WRAPVISUALFLAG_END | QsciScintillaBase::SC_WRAPVISUALFLAG_START);
  });
}

void StopChangeMarksInEditors(App& app) {
  ForEachEditor(app, [&](EditorView& editor) { SetChangeMarking(editor, false, app.settings().styleForChanges); });
}

}  // namespace vendle
