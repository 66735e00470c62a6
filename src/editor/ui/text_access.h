// Reading and writing the text of an editor control: the one way commands of
// every subsystem get at a document's text.
//
// Contract: texts given and returned here are UTF-16 QStrings; the control
// holds UTF-8, and every Sci::Pos is a byte position in that UTF-8 text,
// never a QString index (editor/editor_text.h converts between the two).
// Texts go in and come out whole, NUL characters included. Every operation
// first checks that it was given an editor: a null editor, or a control
// number that is no editor, does nothing and gives "".
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include "platform/ui/sci.h"

namespace vendle {

class App;
class EditorView;

// `text` as UTF-8 for the control, by value (each caller owns its bytes).
QByteArray ToUtf8Buffer(QStringView text);

// The whole text.
QString GetEditorText(EditorView* editor);
// Line `line` (0-based) without its line end; "" for a line outside the text.
QString GetEditorLine(EditorView* editor, Sci::Pos line);
// The selected text; "" without a selection.
QString GetSelectedText(EditorView* editor);

// Replaces the whole text. `resetUndo` also
// empties the undo history (which resets the save point); without it the
// replacement is one undo step. Markers and folds go with the old text.
void SetEditorText(EditorView* editor, QStringView text, bool resetUndo);
// Replaces the selection and leaves caret and anchor just behind the new text.
void ReplaceSelection(EditorView* editor, QStringView text);
// Replaces the content of line `line` (its line end stays); CR and LF in
// `text` are dropped. A line outside the text is left alone.
void ReplaceLineText(EditorView* editor, Sci::Pos line, QStringView text, bool restyle);
// Inserts `text` at the caret. The caret stays in front of the new text.
void InsertTextAtCaret(EditorView* editor, QStringView text);

// Gives every character of code 128 or above its ASCII spelling
// (ConvertToAscii) where it stands, so lines, bookmarks and folds stay; one
// undo step. False when there was none.
bool ConvertEditorTextToAscii(EditorView* editor);

// The same with the editor given as its control number.
QString GetEditorText(App& app, int control);
QString GetEditorLine(App& app, int control, Sci::Pos line);
QString GetSelectedText(App& app, int control);
void SetEditorText(App& app, int control, QStringView text, bool resetUndo);
void ReplaceSelection(App& app, int control, QStringView text);
void ReplaceLineText(App& app, int control, Sci::Pos line, QStringView text, bool restyle);
void InsertTextAtCaret(App& app, int control, QStringView text);

// The indentation that reaches `column` under "Use spaces for tabs" and
// "Tabsize".
QString MakeIndentToColumn(App& app, int column);

// The whole text as the control's UTF-8 bytes, and its replacement by bytes
// (as SetEditorText).
QByteArray GetEditorBytes(EditorView* editor);
void SetEditorBytes(EditorView* editor, const QByteArray& utf8, bool resetUndo);

// The line end the editor writes for a new line (its line-end mode): each
// document has the one of its own file.
QString EditorLineEnd(EditorView* editor);
// Makes `lineEnd` ("\r\n", "\n" or "\r") the editor's kind for new lines.
void SetEditorLineEnd(EditorView* editor, QStringView lineEnd);

// Marks the text from the line of byte position `from` unstyled, so the
// lexer styles it again when it is shown or read (text before that line keeps
// its styles). Text changes need no call: they leave their text unstyled.
void RestyleFrom(EditorView* editor, Sci::Pos from);

// Styles the text up to `end`: the lexer styles on demand, and a command
// that reads styles must not read stale ones.
void StyleUpTo(EditorView& editor, Sci::Pos end);

}  // namespace vendle
