#include "editor/ui/text_access.h"
#include "editor/ui/editor_commands.h"

#include "editor/ui/editing_support.h"
#include "editor/ui/editor_view.h"
#include "shell/ui/app.h"

namespace vendle {

void InsertLineEnd(App& app) {
  EditorView* ed = EditingTarget(app);
  if (!ed) return;
  const QByteArray eol = EditorLineEnd(ed).toLatin1();
  ed->sci().sendText(QsciScintillaBase::SCI_ADDTEXT, eol.size(), eol.constData());
}

}  // namespace vendle
