// The editing commands on the current document's editor.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <functional>

#include "platform/ui/sci.h"

namespace vendle {

class App;
class EditorView;

void EditorClipboardCommand(App& app, int item);  // Item::Undo to Item::Paste: undo, redo, select all, cut, copy, paste
void InsertLineEnd(App& app);                     // Item::InsertLineEnd: Shift+Return
void ReturnKey(App& app);                         // Item::ReturnKey: Return with auto-indent
void PasteAsAscii(App& app);                      // Item::PasteAsAscii
void InsertFileCommand(App& app, bool fromStore);  // Item::InsertFile, Item::InsertFileFromStore
// Item::InsertFileFromStore with Shift held also makes the chosen file's folder the store folder.
void InsertFileCommand(App& app, bool fromStore, bool shiftHeld);
void InsertIncludeDirective(App& app);            // Item::InsertInclude
void PrefillCommand(App& app, int item);          // Item::PrefillStart to Item::CancelPrefill
void JoinLine(App& app);                          // Item::JoinLine
void InsertColour(App& app, int item);            // Item::ColourFirst to Item::ColourLast
void CommentLines(App& app, bool comment);        // Item::CommentLines, Item::UncommentLines

// Reading and writing the text of an editor control. Texts given and returned
// here are UTF-16 QStrings; the control holds UTF-8, and every Sci::Pos is a
// byte position in that UTF-8 text, never a QString index (editor/
// editor_text.h converts between the two). Texts go in and come out whole,
// NUL characters included. Every operation first checks that it was given an
// editor: a null editor, or a control number that is no editor, does nothing
// and gives "".
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

// The document lines of the fold headers that are collapsed.
QList<int> CollapsedHeaders(EditorView& editor);

// Starts (or changes) the marking of unsaved changes in `editor` (see
// change_marks.h); style 0 or `highlight` off marks nothing. Existing marks
// are cleared.
void SetChangeMarking(EditorView& editor, bool highlight, int styleForChanges);

// Every editor of the pool, the documents' and the free ones (a setting
// that applies to every document reaches them all; a free one keeps it for
// the document that takes it). Which document is current does not change.
void ForEachEditor(App& app, const std::function<void(EditorView&)>& apply);

// Many edits in a row made by a command (every line commented, every keyword
// recased, every match replaced). The control's own handling of each change
// notification counts the characters from the document's start (for
// accessibility), so a loop of edits with notifications would be quadratic:
// while this lives the control sends none. Each edit is told with
// `inserted` or `deleted`, which gives it its change marks at once; at the
// end the listeners of the editor's changes hear of one change at the first
// edit, and styling starts again there.
class QuietChanges {
 public:
  explicit QuietChanges(EditorView& editor);
  ~QuietChanges();
  QuietChanges(const QuietChanges&) = delete;
  QuietChanges& operator=(const QuietChanges&) = delete;

  void inserted(Sci::Pos position, Sci::Pos length);
  void deleted(Sci::Pos position);

 private:
  void note(Sci::Pos position);

  EditorView& editor_;
  Sci::Pos mask_;
  Sci::Pos first_ = -1;
};

class EditorLexer;
// While it lives, the program's edits of the editor are not taken for typing
// (no call tip or hint follows a deletion made here).
class ProgrammaticEdit {
 public:
  explicit ProgrammaticEdit(EditorView& editor);
  ~ProgrammaticEdit();
  ProgrammaticEdit(const ProgrammaticEdit&) = delete;
  ProgrammaticEdit& operator=(const ProgrammaticEdit&) = delete;

 private:
  EditorLexer* lexer_;
};

}  // namespace vendle
