#include "editor/ui/editor_commands.h"

#include <cstring>

#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "shell/ui/app.h"

namespace vendle {

void InsertLineEnd(App& app) {
  EditorView* ed = CurrentEditor(app);
  if (!ed) return;
  const char* eol = app.settings().lineEndingsMode == 0 ? "\r\n" : "\n";
  ed->sci().sendText(QsciScintillaBase::SCI_ADDTEXT, std::strlen(eol), eol);
}

void ReturnKey(App& app) {
  // The plain line end of the editor until auto-indent is built.
  EditorView* ed = CurrentEditor(app);
  if (ed) ed->sci().send(QsciScintillaBase::SCI_NEWLINE);
}

}  // namespace vendle
