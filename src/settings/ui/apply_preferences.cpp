#include "settings/ui/apply_preferences.h"

#include "editor/ui/editor_commands.h"
#include "editor/ui/view_options.h"
#include "platform/ids.h"
#include "platform/requesters.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

// A slot may have no editor (a closed tab): only existing editors are sent to.
template <typename F>
void ForEachExistingEditor(App& app, F&& apply) {
  for (int slot = 0; slot <= app.settings().maxTabs; ++slot)
    if (EditorView* editor = EditorOf(app.toolkit(), +ControlId::FirstEditor + slot)) apply(*editor);
}

}  // namespace

void ApplyPreferences(App& app, const PreferenceEdits& edits) {
  Settings& s = app.settings();
  ApplyPreferenceEdits(s, edits);
  SetEditorFontSize(app, s.fontSize);
  ForEachExistingEditor(app, [&](EditorView& editor) {
    SetEditorFont(app, editor);
    SetEditorTabs(app, editor);
    ApplyEditorColours(app, editor);
  });
  app.requesters().message(QStringLiteral("Preferences"), QStringLiteral("Settings saved"));
}

void ApplyColoursToEditors(App& app) {
  ForEachExistingEditor(app, [&](EditorView& editor) { ApplyEditorColours(app, editor); });
}

void ApplyTabsToEditors(App& app) {
  ForEachExistingEditor(app, [&](EditorView& editor) { SetEditorTabs(app, editor); });
}

void ApplyWordWrapToEditors(App& app) {
  ForEachExistingEditor(app, [&](EditorView& editor) {
    if (editor.isHidden())
      PrepareParkedEditor(app, editor);
    else
      PrepareShownEditor(app, editor);
    editor.sci().send(QsciScintillaBase::SCI_SETWRAPVISUALFLAGS,
                      QsciScintillaBase::SC_WRAPVISUALFLAG_END | QsciScintillaBase::SC_WRAPVISUALFLAG_START);
  });
}

void StopChangeMarksInEditors(App& app) {
  ForEachExistingEditor(app, [&](EditorView& editor) { SetChangeMarking(editor, false, app.settings().styleForChanges); });
}

}  // namespace vendle
