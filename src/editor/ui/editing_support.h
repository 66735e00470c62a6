// Helpers shared by the editing commands: the editor a command works on and
// typing program text at the caret. Texts are UTF-16 QStrings.
#pragma once


#include <QString>
#include <QStringView>

namespace vendle {

class App;
class EditorView;
class EditorLexer;

// Makes the document of the tab bar's selected tab current and returns its
// editor (null when there is none).
EditorView* EditingTarget(App& app);

// Inserts `text` at the caret and puts the caret behind it (no selection).
void TypeAtCaret(EditorView& editor, QStringView text);

// The clipboard's text ("" when it holds none).
QString ClipboardText();


}  // namespace vendle
