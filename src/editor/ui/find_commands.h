// Find, replace, find-all and the syntax hints.
#pragma once

#include <QString>

namespace vendle {

class App;
struct Event;

void ShowFindReplace(App& app);        // Item::FindReplace
void QuickFind(App& app);              // Item::QuickFind
void FindNext(App& app);               // Item::FindNext, only while WindowId::FindReplace is open
void FindWindowEvent(App& app, const Event& e);     // WindowId::FindReplace and WindowId::FindAll
void ShowSyntaxHintAtCaret(App& app);  // Item::SyntaxHintAtCaret
// WindowId::SyntaxHints with the hints for `word`, or with every GUI element line.
void ShowSyntaxHint(App& app, const QString& word, bool listAll);
void HintWindowEvent(App& app, const Event& e);     // WindowId::SyntaxHints

}  // namespace vendle
