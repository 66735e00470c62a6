// Menu 76 and popup menu 295 as Qt menus, made from the menu model, and the
// texts, check marks and tooltips of their items. Every action posts its
// item when triggered. Texts are UTF-16 and shown literally ("&" is no
// mnemonic).
#pragma once

#include <QString>

#include "shell/ui/services.h"

namespace vendle {

class App;

// Builds menu 76 on window 1 from scratch, retiring the menus it had; the
// Recent and External resources items are labelled at once, the check marks
// follow the settings, and toolbar button 221 gets the default external
// program's menu text as tooltip.
void BuildMainMenu(App& app);
// Builds popup menu 295, registered under its number for the right click.
void BuildEditorPopup(App& app);
// The number of syntax items of the Syntax menu (items 234 onwards).
int SyntaxMenuCount(App& app);


// Start-up: the Recent items (" ... " form) and the external references.
void LabelRecentItemsAtStartup(App& app);
void LabelExternalReferenceItems(App& app);

}  // namespace vendle
