// Entry points of the outside links whose builds come later.
#include "links/ui/link_commands.h"

namespace vendle {

void ShowHelpPage(App&, int) {}
void SyntaxHelpAtCaret(App&, bool) {}
void OpenExternalReference(App&, int) {}
void SyntaxHelpLineTick(App&) {}
void HelpWindowEvent(App&, const Event&) {}
void WebWindowEvent(App&, const Event&) {}

}  // namespace vendle
