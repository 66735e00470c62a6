// Running programs, the companion hand-over, the control link's commands
// and the help pages.
#pragma once

#include <QString>

#include "settings/settings.h"

namespace vendle {

class App;
struct Event;

void Deploy(App& app);                          // items 178 (F2, toolbar) and 209
void RunExternalProgram(App& app, int index);   // items 210..219
void RunRavoltProgram(App& app, int index);     // items 223..232
void RunDefaultExternalProgram(App& app);       // item 221, F6
void StartControlServer(App& app);              // start-up
void StopControlServer(App& app);               // shutdown
void ExecuteControlCommand(App& app, const QString& command);  // event 65537

void ShowHelpPage(App& app, int item);          // items 277, 280, 281, 282
void SyntaxHelpAtCaret(App& app, bool detailed);  // items 278, 279
void OpenExternalReference(App& app, int slot);   // items 284..289
void SyntaxHelpLineTick(App& app);              // timer 74
void HelpWindowEvent(App& app, const Event& e);  // window 454
void WebWindowEvent(App& app, const Event& e);   // window 4
// The settings window's "Test": shows, titled "External program", what
// `typed` (the page's fields as typed) would start for the current document.
// Nothing is written or saved.
void PreviewExternalProgram(App& app, const ExternalProgramEntry& typed);
// The help viewer's address and its text as shown; "" when it is closed.
QString HelpViewerSource(App& app);
QString HelpViewerText(App& app);

}  // namespace vendle

namespace vendle {
// "/cmd" sub-commands: "goto" n moves the current editor's caret to line n.
void HandleControlCommand(App& app, const QString& rest);
}  // namespace vendle
