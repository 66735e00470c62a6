// The layout of "Vendle5.inf": every group, comment and key in the order the
// file is written, each key with the setting it fills and the form of its
// value. One table drives both the load and the save; the lists (open files,
// recent entries, programs, new-file text) are entries of their own.
// Names and texts are UTF-16 (ASCII).
#pragma once

#include <QString>
#include <variant>
#include <vector>

#include "settings/settings.h"

namespace vendle {

enum class ValueForm {
  Text,               // as stored
  Unquoted,           // text; every double quote removed on reading
  Int,                // 32-bit, atol-like
  Int64,              // 64-bit decimal
  Colour,             // "$BBGGRR"; "$", "%" and decimal on reading
  Minutes,            // minutes in the file, seconds in memory
  WrittenAsZero,      // read, but always written as 0
  DataFolder,         // written only: the data folder
  IncludeParameters,  // not read (the flag follows "Default syntax"); written from the flag
  HotLink,            // index into the program list, remapped on writing
  UnlessDefault,      // text written only when it differs from its default
};

struct WindowField {
  WindowRect Settings::*rect;
  int WindowRect::*part;
};
struct ColourField {
  ColourSlot slot;
};
struct ReferenceField {
  int index;  // 0..5
};
using SettingField = std::variant<std::monostate, QString Settings::*, int Settings::*, qint64 Settings::*,
                                  WindowField, ColourField, ReferenceField>;

enum class SettingsList {
  OpenFiles,         // "File Count", "File" + n
  RecentFiles,       // "MRUFile" + k
  RecentSearches,    // "FindWord" + k
  ExternalPrograms,  // "Ext" + k
  NewFileText,       // "New file line" + n
};

struct LayoutEntry {
  enum class Kind { Group, Comment, Key, List };
  Kind kind;
  QString text;  // group name, comment text or key
  ValueForm form = ValueForm::Text;
  SettingField field;
  SettingsList list = SettingsList::OpenFiles;
};

// The whole file, in writing order.
const std::vector<LayoutEntry>& SettingsLayout();

// The nine window placements, in file order.
std::vector<WindowRect Settings::*> WindowFields();

}  // namespace vendle
