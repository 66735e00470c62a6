#include "settings/preference_edits.h"

#include "settings/value_forms.h"

namespace vendle {

void ApplyPreferenceEdits(Settings& s, const PreferenceEdits& edits) {
  s.confirmBeforeExit = edits.confirmBeforeExit ? 1 : 0;
  s.openBlankFile = edits.openBlankFile ? 1 : 0;
  if (const int tab = ParseInt32(edits.tabSize); tab > 0) s.tabSize = tab;
  const FontField font = ParseFontField(edits.font);
  if (font.size > 0) s.fontSize = font.size;
  if (!font.name.isEmpty()) s.fontName = font.name;
  s.backupIntervalSeconds = MinutesToSeconds(ParseInt32(edits.backupMinutes));
  if (edits.backupFolder) s.backupFolder = edits.backupFolder->trimmed();
  if (edits.storeFolder) s.storeFolder = edits.storeFolder->trimmed();
}

}  // namespace vendle
