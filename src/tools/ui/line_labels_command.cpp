// "Remove program line numbers" (Item::RemoveLineNumbers): the selected document's program
// with labels in place of line numbers, in a new tab beside it.
#include "documents/ui/document_commands.h"
#include "editor/ui/text_access.h"
#include "editor/ui/syntax_commands.h"
#include "shell/ui/app.h"
#include "tools/line_labels.h"
#include "tools/result_path.h"
#include "tools/ui/line_labels_command.h"
#include "tools/ui/result_tab.h"
#include "shell/ui/services.h"
#include "tools/ui/rewrite_view.h"

namespace vendle {

void RemoveLineNumbers(App& app) {
  const int source = MakeSelectedDocumentCurrent(app);
  EditorView* ed = EditorOfDocument(app, source);
  if (!ed) return;
  const WaitCursor wait;
  const TimedCommand timed(app);
  const QString result =
      LineNumbersToLabels(GetEditorText(ed), app.settings().labelPrefix, DocumentKeywords(app, source));
  const QString path = ResultPath(app.state().docs.list.at(source).path, QStringLiteral("_NoLN"));
  if (OpenResultTab(app, path, result, EditorLineEnd(ed)) < 0) return;
}

}  // namespace vendle
