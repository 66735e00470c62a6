// Loading the settings from the bytes of "Vendle5.inf" and "Ravolt.inf" and
// building the bytes of "Vendle5.inf" from the settings. No file access:
// the callers read and write the files. Bytes are as on disk (UTF-8 with a
// byte-order mark, or ANSI without one); paths and texts are UTF-16.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "settings/desktop.h"
#include "settings/preference_file.h"
#include "settings/settings.h"

namespace vendle {

// Every key of `prefs` over the defaults, with the load rules: windows kept
// on `desktop`, quotes removed from the three folders, minutes held as
// seconds, "Maximum number of tabs" kept within 5..39, "Tabsize" at most 99,
// the two character sets reset when "Last Build date" is older than
// 2023/08/25, the "Include Parameters" flag taken from "Default syntax", the
// lists (at most ten recent entries, "File Count" bounded by the keys
// present, the default programs when none is stored) and the sibling tool's
// list from `ravolt`. Empty bytes stand for a missing file. Never fails: what
// cannot be read keeps its default.
Settings LoadSettingsFrom(QByteArrayView prefs, QByteArrayView ravolt, const Desktop& desktop);

// The load over an already parsed file, and the sibling tool's list alone.
void ReadSettings(const PreferenceFile& file, const Desktop& desktop, Settings& s);
void ReadRavolt(const PreferenceFile& file, Settings& s);

// The whole file in its order with its comments. "Data folder" is
// `dataFolder`; "UserFolder" is s.userFolder (the caller puts the current
// file folder there). Entries that would put a line break into the file are
// left out, "External hot link" follows its entry when entries are left out.
QByteArray SaveSettingsBytes(const Settings& s, const QString& dataFolder);

// "Last Build date" before this resets the two character sets.
inline constexpr char kCharacterSetDate[] = "2023/08/25";

}  // namespace vendle
