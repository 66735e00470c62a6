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

}  // namespace vendle
