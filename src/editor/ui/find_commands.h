// Find, replace, find-all and the syntax hints.
#pragma once

#include <QString>

namespace vendle {

class App;
struct Event;

void ShowFindReplace(App& app);        // item 126
void QuickFind(App& app);              // item 127
void FindNext(App& app);               // item 111, only while window 6 is open
void FindWindowEvent(App& app, const Event& e);     // windows 6 and 7
void ShowSyntaxHintAtCaret(App& app);  // item 131
// Window 452 with the hints for `word`, or with every GUI element line.
void ShowSyntaxHint(App& app, const QString& word, bool listAll);
void HintWindowEvent(App& app, const Event& e);     // window 452

}  // namespace vendle
