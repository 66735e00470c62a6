// The result tab of the source tools.
#include "tools/ui/result_tab.h"

#include "documents/ui/document_commands.h"
#include "editor/ui/editor_commands.h"
#include "platform/text_lines.h"

namespace vendle {

int OpenResultTab(App& app, const QString& path, const QString& text, QStringView lineEnd) {
  const int index = CreateDocumentTab(app, path);
  if (index < 0) return -1;
  EditorView* ed = EditorOfDocument(app, index);
  SetEditorLineEnd(ed, lineEnd);
  // Put in as an edit, not as a load: an emptied undo history would also
  // set the save point, and the unsaved result could then be closed
  // without a question.
  SetEditorText(ed, WithLineEnds(text, lineEnd), false);
  return index;
}

}  // namespace vendle
