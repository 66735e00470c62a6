// MenuId::Main and MenuId::EditorPopup as Qt menus, made from the menu model, and the
// texts, check marks and tooltips of their items. Every action posts its
// item when triggered. Texts are UTF-16 and shown literally ("&" is no
// mnemonic).
#pragma once

#include <QString>

#include "shell/ui/services.h"

namespace vendle {

class App;

// Builds MenuId::EditorPopup, registered under its number for the right click.
void BuildEditorPopup(App& app);


// Start-up: the Recent items (" ... " form) and the external references.
void LabelRecentItemsAtStartup(App& app);
void LabelExternalReferenceItems(App& app);

}  // namespace vendle
