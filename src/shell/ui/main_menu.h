// Menu 76 and popup menu 295 as Qt menus, and the texts of their items.
#pragma once

#include <QString>

namespace vendle {

class App;

// Sets the text of every action of `item`; "&" is shown as it is.
void SetItemText(App& app, int item, const QString& text);
QString ItemText(App& app, int item);
void SetItemChecked(App& app, int item, bool checked);
bool ItemChecked(App& app, int item);

// Start-up: the Recent items (" ... " form) and the external references.
void LabelRecentItemsAtStartup(App& app);
void LabelExternalReferenceItems(App& app);

}  // namespace vendle
