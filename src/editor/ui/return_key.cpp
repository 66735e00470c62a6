// The Return key (Item::ReturnKey): the line end, then an ATTiny line number or the
// indentation and the prefill, then the names the finished line declares.
#include "editor/ui/return_key.h"

#include "documents/document_list.h"
#include "editor/editing_lines.h"
#include "editor/lexer.h"
#include "editor/ui/editing_support.h"
#include "editor/ui/text_access.h"
#include "editor/ui/edit_guards.h"
#include "editor/ui/editor_commands.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_view.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"
#include "platform/text_trim.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

// The finished line's new names go into the document's lists and the
// editor's word map, with one restyle for all of them.
void RegisterNames(EditorView& ed, DocumentRecord& doc, const QString& finishedLine) {
  const NewNames names = NamesToRegister(finishedLine, doc.userSubNames, doc.userVariableNames);
  if (names.empty()) return;
  LexerBurst burst(ed);
  if (!names.subs.isEmpty()) {
    doc.userSubNames = AppendNames(doc.userSubNames, names.subs);
    LexerAddWordsAndRestyle(ed, names.subs.join(u' '), kStyleUserSub, WordAutoComplete, true);
  }
  if (!names.variables.isEmpty()) {
    doc.userVariableNames = AppendNames(doc.userVariableNames, names.variables);
    LexerAddWordsAndRestyle(ed, names.variables.join(u' '), kStyleUserVariable, WordAutoComplete, true);
  }
}

}  // namespace

void ReturnKey(App& app) {
  EditorView* ed = EditingTarget(app);
  DocumentRecord* doc = app.state().docs.list.current();
  if (!ed || !doc) return;
  const Settings& st = app.settings();
  const int mode = app.state().prefillMode;
  const QString fill = mode != 0 ? ClipboardText() : QString();
  Sci s = ed->sci();
  QString finished;
  bool analyse = false;
  {
    ProgrammaticEdit quiet(*ed);
    // Line end, number or indentation and fill come back with one undo.
    UndoStep step(s);
    s.send(S::SCI_AUTOCCANCEL);
    if (s.send(S::SCI_GETSELECTIONSTART) != s.send(S::SCI_GETSELECTIONEND)) ReplaceSelection(ed, u"");
    if (mode == 2) TypeAtCaret(*ed, fill);
    TypeAtCaret(*ed, EditorLineEnd(ed));
    const Sci::Pos line = s.lineFromPosition(s.currentPos());
    finished = GetEditorLine(ed, line - 1);
    if (doc->syntax == QLatin1String("ATTiny")) {
      // Near the end of the program the numbering goes on in steps; inside
      // it, the new line takes the next free number.
      const int numberStep = s.lineCount() - line <= 2 ? st.lineNumberStep : 1;
      TypeAtCaret(*ed, NextLineNumberText(app, TrimSpaces(finished).toString(), numberStep));
    } else {
      if (st.autoIndent == 1)
        TypeAtCaret(*ed, MakeIndentToColumn(app, static_cast<int>(s.send(S::SCI_GETLINEINDENTATION, line - 1))));
      if (mode == 1) TypeAtCaret(*ed, fill);
      analyse = true;
    }
  }
  if (analyse) RegisterNames(*ed, *doc, finished);
  UpdateFileStatus(app, ed->control());
}

}  // namespace vendle
