// The syntax hint window (452, "Syntax hint:"): short hints for the word at
// the caret in the current document's dialect, or every GUI element line;
// a click on one puts it into the program. Texts are UTF-16.
#pragma once

#include <QString>
#include <QStringList>

namespace vendle {

class App;

// Fills and shows WindowId::SyntaxHints for `word`; `listAll` (or a word starting with
// "?" or "/") lists the GUI element lines instead.
void ShowSyntaxHint(App& app, const QString& word, bool listAll);

// The lines WindowId::SyntaxHints shows (empty when it is closed).
QStringList HintRowsShown(App& app);

}  // namespace vendle
