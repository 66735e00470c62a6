// The external programs of the Action menu and the hand-over to the
// companion: the entry points beyond those in link_commands.h. Texts are UTF-16.
#pragma once

#include <QString>

#include "links/ui/link_commands.h"  // PreviewExternalProgram
#include "settings/settings.h"

namespace vendle {

class App;

// Labels the items from Item::ExternalFirst with the own list and from
// Item::RavoltFirst with the sibling tool's list, checks the default entry's item and sets the tooltip of Item::RunDefaultExternal.
// For the menu's construction and after the settings window changed the list.
void LabelExternalProgramItems(App& app);


// Messages of the runners.
inline constexpr const char* kOopsTitle = "Oops!";
inline constexpr const char* kProgramNotSetText = "Path to external program not set";
inline constexpr const char* kPreviewTitle = "External program";
inline constexpr const char* kDeployTitle = "Deploy";

}  // namespace vendle
