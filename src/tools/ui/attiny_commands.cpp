// The ATTiny numbering on the current document's editor.
#include "tools/ui/attiny_commands.h"

#include "documents/ui/document_commands.h"
#include "shell/ui/services.h"
#include "editor/ui/editor_commands.h"
#include "platform/text_lines.h"
#include "shell/ui/app.h"
#include "shell/ui/main_window_commands.h"
#include "tools/attiny_numbering.h"

namespace vendle {

using S = QsciScintillaBase;

void ToggleAtTinyNumbering(App& app) {
  DocumentRecord* doc = app.state().docs.list.current();
  EditorView* ed = CurrentEditor(app);
  if (!doc || !ed) return;
  doc->atTinyNumbered = 1 - (doc->atTinyNumbered != 0 ? 1 : 0);
  const SyntaxData& syntax = app.state().syntax;
  const AtTinyDialect dialect = AtTinyDialect::From(syntax.atTinyKeywords, syntax.atTinyAbbreviations);
  const AtTinyForm form = doc->atTinyNumbered ? AtTinyForm::Numbered : AtTinyForm::Crunched;
  const QString text = WithLineEnds(
      ConvertAtTinyProgram(GetEditorText(ed), form, app.settings().lineNumberStep, dialect), EditorLineEnd(ed));

  // Every line keeps its place, so the caret stays on its line.
  Sci s = ed->sci();
  const Sci::Pos caretLine = s.lineFromPosition(s.currentPos());
  const Sci::Pos firstVisible = s.send(S::SCI_GETFIRSTVISIBLELINE);
  SetEditorText(ed, text, false);
  s.send(S::SCI_GOTOPOS, s.positionFromLine(std::min(caretLine, s.lineCount() - 1)));
  s.send(S::SCI_SETFIRSTVISIBLELINE, firstVisible);
  UpdateFileStatus(app, doc->editor);
}

}  // namespace vendle
