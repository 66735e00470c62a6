// The handlers of the settings window's "External programs", "External
// references" and "Preferences" pages.
#include <QCheckBox>
#include <QSpinBox>

#include "editor/ui/syntax_commands.h"
#include "links/ui/link_commands.h"
#include "platform/event.h"
#include "platform/paths.h"
#include "platform/requesters.h"
#include "settings/ui/apply_preferences.h"
#include "settings/ui/settings_commands.h"
#include "settings/ui/settings_window.h"
#include "settings/value_forms.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

ControlId Id(int control) { return static_cast<ControlId>(control); }

// ---- External programs ----

void StepExternalProgram(App& app, SettingsWindow& w, int d) {
  auto* spin = w.get<QSpinBox>(ControlId::ProgramPosition);
  const ProgramStep step = StepProgramList(app.settings().externalPrograms, spin->value(), d, TypedProgramFields(w));
  spin->setValue(step.position);
  ShowProgramFields(w, step.shown);
}

void SaveExternalProgram(App& app, SettingsWindow& w) {
  const int p = w.get<QSpinBox>(ControlId::ProgramPosition)->value();
  if (StoreProgramEntry(app.settings().externalPrograms, p, TypedProgramFields(w))) BuildMainMenu(app);
}

void SetDefaultExternalProgram(App& app, SettingsWindow& w) {
  Settings& s = app.settings();
  const int p = w.get<QSpinBox>(ControlId::ProgramPosition)->value();
  if (!CanBeDefault(s.externalPrograms, p)) return;
  if (s.externalHotLink >= 0 && s.externalHotLink <= +Item::ExternalLast - +Item::ExternalFirst)
    SetItemChecked(app, +Item::ExternalFirst + s.externalHotLink, false);
  s.externalHotLink = p;
  SetItemToolTip(app, +Item::RunDefaultExternal, s.externalPrograms[std::size_t(p)].menuText);
  SetItemChecked(app, +Item::ExternalFirst + p, true);
}

void BrowseProgramFolder(App& app, SettingsWindow& w) {
  const std::optional<QString> folder = app.requesters().folder(QStringLiteral("Folder"), app.folders().file);
  if (!folder || folder->isEmpty()) return;
  w.setFieldText(ControlId::ProgramFolder, QuotedForField(EnsureTrailingSeparator(*folder)));
}

void BrowseProgramPath(App& app, SettingsWindow& w) {
  FileRequest r;
  r.title = QStringLiteral("File");
  r.initialPath = app.folders().file;
  r.patterns = QStringLiteral("Exe (*.exe)|*.exe|Batch (*.bat)|*.bat|All files (*.*)|*.*");
  const std::optional<QString> path = app.requesters().openFile(r);
  if (!path || path->isEmpty()) return;
  w.setFieldText(ControlId::ProgramPath, QuotedForField(*path));
}

void TestExternalProgram(App& app, SettingsWindow& w) {
  const ProgramFields f = TypedProgramFields(w);
  PreviewExternalProgram(app, {f.menuText, f.folder, f.program, f.parameters, f.batch});
}

// ---- External references ----

void BrowseExternalReference(App& app, SettingsWindow& w, int slot) {
  FileRequest r;
  r.title = QStringLiteral("External Refefence file");
  r.initialPath = app.folders().file;
  r.patterns = QStringLiteral("PDF (*.pdf)|*.pdf|Txt (*.txt)|*.txt|HTML (*.htm)|*.htm|All files (*.*)|*.*");
  const std::optional<QString> path = app.requesters().openFile(r);
  if (!path || path->isEmpty()) return;
  w.setFieldText(Id(+ControlId::ReferenceFieldFirst + slot), *path);
}

void SaveExternalReferences(App& app, SettingsWindow& w) {
  auto& refs = app.settings().externalReferences;
  for (int i = 0; i < 6; ++i) {
    const ControlId field = Id(+ControlId::ReferenceFieldFirst + i);
    refs[std::size_t(i)] = ReferenceSlotText(i, w.fieldText(field));
    SetItemText(app, +Item::ExtRefFirst + i, ReferenceMenuText(refs[std::size_t(i)]));
    w.setFieldText(field, refs[std::size_t(i)]);
  }
  app.requesters().message(QStringLiteral("File Preferences"), QStringLiteral("Settings saved"));
}

// ---- Preferences ----

void StepTabSize(SettingsWindow& w, int d) {
  auto* spin = w.get<QSpinBox>(ControlId::TabSizeSpin);
  spin->setValue(TabSizeAfterArrow(spin->value(), d > 0));
  // The hidden ControlId::TabSizeFocus cannot take the focus: the spin only gives it up.
  spin->clearFocus();
}

void ChooseEditorFont(App& app, SettingsWindow& w) {
  const FontField shown = ParseFontField(w.fieldText(ControlId::FontField));
  const std::optional<FontChoice> chosen = app.requesters().font({shown.name, shown.size});
  if (!chosen) return;
  const QString name = chosen->name.isEmpty() ? shown.name : chosen->name;
  w.setFieldText(ControlId::FontField, FormatFontField(ClampChosenFontSize(chosen->size), name));
}

// A setting check box: the setting takes the box's state, then its effect.
void OptionChecked(App& app, SettingsWindow& w, int control) {
  Settings& s = app.settings();
  const int on = w.get<QCheckBox>(Id(control))->isChecked() ? 1 : 0;
  s.*OptionSettingOf(control) = on;
  switch (Id(control)) {
    case ControlId::AutoCompleteCheck:
      if (!app.state().syntax.list.empty())
        ApplySyntax(app, FindSyntaxIndexFor(app, s.currentSyntaxName), QString(), QString(), false);
      break;
    case ControlId::ShowChangesCheck:
      if (on == 0) StopChangeMarksInEditors(app);
      break;
    case ControlId::WordWrapCheck: ApplyWordWrapToEditors(app); break;
    case ControlId::SpacesForTabsCheck: ApplyTabsToEditors(app); break;
    default: break;
  }
}

// The backup and store folders: an empty one starts at the file folder,
// and keeps it even when the requester is cancelled.
void BrowseSettingFolder(App& app, SettingsWindow& w, QString Settings::*folder, const QString& title, ControlId field) {
  QString& value = app.settings().*folder;
  if (value.isEmpty()) {
    value = app.folders().file;
    w.setFieldText(field, value);
  }
  const std::optional<QString> chosen = app.requesters().folder(title, value);
  if (!chosen || chosen->isEmpty()) return;
  value = EnsureTrailingSeparator(*chosen);
  w.setFieldText(field, value);
}

void SavePreferencesPage(App& app, SettingsWindow& w) {
  PreferenceEdits edits;
  edits.confirmBeforeExit = w.get<QCheckBox>(ControlId::ConfirmExitCheck)->isChecked();
  edits.openBlankFile = w.get<QCheckBox>(ControlId::OpenBlankCheck)->isChecked();
  edits.tabSize = QString::number(w.get<QSpinBox>(ControlId::TabSizeSpin)->value());
  edits.font = w.fieldText(ControlId::FontField);
  edits.backupMinutes = w.fieldText(ControlId::BackupMinutes);
  edits.backupFolder = w.fieldText(ControlId::BackupFolderField);
  edits.storeFolder = w.fieldText(ControlId::StoreFolderField);
  ApplyPreferences(app, edits);
}

}  // namespace

ProgramFields TypedProgramFields(const SettingsWindow& w) {
  return {w.fieldText(ControlId::ProgramMenuText), w.fieldText(ControlId::ProgramFolder),
          w.fieldText(ControlId::ProgramPath), w.fieldText(ControlId::ProgramParameters),
          w.get<QSpinBox>(ControlId::ProgramBatch)->value()};
}

void ShowProgramFields(SettingsWindow& w, const ProgramFields& f) {
  w.setFieldText(ControlId::ProgramMenuText, f.menuText);
  w.setFieldText(ControlId::ProgramFolder, f.folder);
  w.setFieldText(ControlId::ProgramPath, f.program);
  w.setFieldText(ControlId::ProgramParameters, f.parameters);
  w.get<QSpinBox>(ControlId::ProgramBatch)->setValue(int(std::clamp<qint64>(f.batch, 0, 9)));
}

void ProgramPageEvent(App& app, SettingsWindow& w, const Event& e) {
  switch (Id(e.object)) {
    case ControlId::ProgramPosition:
      if (e.type == +ControlEvent::SpinStep) {
        app.noteHandler("StepExternalProgram");
        StepExternalProgram(app, w, e.delta);
      } else if (e.type == +ControlEvent::SpinTyped) {
        const int p = w.get<QSpinBox>(ControlId::ProgramPosition)->value();
        ShowProgramFields(w, ShownAt(app.settings().externalPrograms, p, TypedProgramFields(w).batch));
      }
      break;
    case ControlId::ProgramSave:
      app.noteHandler("SaveExternalProgram");
      SaveExternalProgram(app, w);
      break;
    case ControlId::ProgramSetDefault: SetDefaultExternalProgram(app, w); break;
    case ControlId::ProgramFolderBrowse: BrowseProgramFolder(app, w); break;
    case ControlId::ProgramPathBrowse: BrowseProgramPath(app, w); break;
    case ControlId::ProgramTest:
      app.noteHandler("PreviewExternalProgram");
      TestExternalProgram(app, w);
      break;
    default: break;
  }
}

void ReferencePageEvent(App& app, SettingsWindow& w, const Event& e) {
  const int slot = e.object - +ControlId::ReferenceBrowseFirst;
  if (slot >= 0 && slot < 6) {
    app.noteHandler("BrowseExternalReference");
    BrowseExternalReference(app, w, slot);
  } else if (e.object == +ControlId::ReferenceSave) {
    app.noteHandler("SaveExternalReferences");
    SaveExternalReferences(app, w);
  }
}

void PreferencePageEvent(App& app, SettingsWindow& w, const Event& e) {
  if (e.object >= +ControlId::OptionCheckFirst && e.object <= +ControlId::OptionCheckLast) {
    OptionChecked(app, w, e.object);
    return;
  }
  switch (Id(e.object)) {
    case ControlId::TabSizeSpin:
      if (e.type == +ControlEvent::SpinStep) StepTabSize(w, e.delta);
      break;
    case ControlId::FontBrowse:
      app.noteHandler("ChooseEditorFont");
      ChooseEditorFont(app, w);
      break;
    case ControlId::SmartQuotesCheck:
      app.settings().removeSmartQuotes = w.get<QCheckBox>(ControlId::SmartQuotesCheck)->isChecked() ? 1 : 0;
      break;
    case ControlId::BackupFolderBrowse:
      app.noteHandler("BrowseBackupFolder");
      BrowseSettingFolder(app, w, &Settings::backupFolder, QStringLiteral("Backup folder"),
                          ControlId::BackupFolderField);
      break;
    case ControlId::StoreFolderBrowse:
      app.noteHandler("BrowseStoreFolder");
      BrowseSettingFolder(app, w, &Settings::storeFolder, QStringLiteral("Include folder"),
                          ControlId::StoreFolderField);
      break;
    case ControlId::SaveLanguage:
      app.noteHandler("SaveLanguageFile");
      SaveLanguageFile(app);
      break;
    case ControlId::PreferencesSave:
      app.noteHandler("ApplyPreferences");
      SavePreferencesPage(app, w);
      break;
    default: break;
  }
}

}  // namespace vendle
