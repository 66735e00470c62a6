// The values the "Preferences" page of the settings window hands to its
// "Save" button, and how they change the settings. Texts are UTF-16, as the
// page's fields hold them.
#pragma once

#include <QString>
#include <optional>

#include "settings/settings.h"

namespace vendle {

struct PreferenceEdits {
  bool confirmBeforeExit = true;  // check ControlId::ConfirmExitCheck
  bool openBlankFile = false;     // check ControlId::OpenBlankCheck
  QString tabSize;                // ControlId::TabSizeSpin, an integer
  QString font;                   // ControlId::FontField, size + "pt,  " + face name
  QString backupMinutes;          // ControlId::BackupMinutes, an integer of minutes
  // Fields 385 and 383 as typed; unset leaves the folder as it is.
  std::optional<QString> backupFolder;
  std::optional<QString> storeFolder;
};

// Takes the edited values into `s`. The font field is read by its leading
// digits and the text after "pt,", so a size of one or three digits keeps
// its face name; a field without a size or a name, and a tab size below 1,
// leave the setting as it was. The two folders are taken trimmed.
void ApplyPreferenceEdits(Settings& s, const PreferenceEdits& edits);

}  // namespace vendle
