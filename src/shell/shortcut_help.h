// The rows of the keyboard shortcuts help page, made from the shell's own
// shortcut table and menu texts, so the page can never disagree with the
// keys. Pure; texts are UTF-16.
#pragma once

#include <vector>

#include "links/help_pages.h"

namespace vendle {

// The main window's keys with the text of their menu items (or a
// description for the keys without one), then Return and Shift+Return.
std::vector<ShortcutHelpRow> ShortcutHelpRows();

}  // namespace vendle
