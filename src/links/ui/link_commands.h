// Running programs, the companion hand-over, the control link's commands
// and the help pages.
#pragma once

#include <QString>

#include "settings/settings.h"

namespace vendle {

class App;
struct Event;

void Deploy(App& app);                          // Item::DeployKey (F2, toolbar) and Item::Deploy
void RunExternalProgram(App& app, int index);   // Item::ExternalFirst to Item::ExternalLast
void RunRavoltProgram(App& app, int index);     // Item::RavoltFirst to Item::RavoltLast
void RunDefaultExternalProgram(App& app);       // Item::RunDefaultExternal, F6
void StartControlServer(App& app);              // start-up
void StopControlServer(App& app);               // shutdown
void ExecuteControlCommand(App& app, const QString& command);  // event 65537

void ShowHelpPage(App& app, int item);          // Item::SyntaxHelp, Item::VendleHelp, Item::AsciiTable, Item::KeyboardShortcuts
void SyntaxHelpAtCaret(App& app, bool detailed);  // Item::SyntaxHelpAtCaret, Item::DetailedSyntaxHelp
void OpenExternalReference(App& app, int slot);   // Item::ExtRefFirst to Item::ExtRefLast
void SyntaxHelpLineTick(App& app);              // TimerId::SyntaxHelpLine
void HelpWindowEvent(App& app, const Event& e);  // WindowId::HelpViewer
void WebWindowEvent(App& app, const Event& e);   // WindowId::WebPage
// The settings window's "Test": shows, titled "External program", what
// `typed` (the page's fields as typed) would start for the current document.
// Nothing is written or saved.
void PreviewExternalProgram(App& app, const ExternalProgramEntry& typed);
// The help viewer's address and its text as shown; "" when it is closed.
QString HelpViewerSource(App& app);
QString HelpViewerText(App& app);

// "/cmd" sub-commands: "goto" n moves the current editor's caret to line n.
void HandleControlCommand(App& app, const QString& rest);
}  // namespace vendle
