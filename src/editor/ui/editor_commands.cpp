#include "editor/ui/editor_commands.h"

#include <cstring>

#include "editor/ui/editing_support.h"
#include "editor/ui/editor_view.h"
#include "shell/ui/app.h"

namespace vendle {

void InsertLineEnd(App& app) {
  EditorView* ed = EditingTarget(app);
  if (!ed) return;
  const char* eol = app.settings().lineEndingsMode == 0 ? "\r\n" : "\n";
  ed->sci().sendText(QsciScintillaBase::SCI_ADDTEXT, std::strlen(eol), eol);
}

}  // namespace vendle
