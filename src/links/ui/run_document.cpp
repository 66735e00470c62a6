#include "links/ui/run_document.h"

#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "editor/ascii_convert.h"
#include "editor/ui/text_access.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"
#include "editor/ui/editor_view.h"

namespace vendle {

std::optional<RunDocument> CurrentDocumentForRun(App& app) {
  const int index = MakeSelectedDocumentCurrent(app);
  if (index < 0) return std::nullopt;
  const DocumentRecord& d = app.state().docs.list.at(index);
  RunDocument r;
  r.path = d.path;
  r.name = d.name;
  r.untitled = d.untitled();
  if (EditorView* ed = EditorOfDocument(app, index)) r.modified = ed->sci().modified();
  return r;
}

QString CurrentDocumentText(App& app) { return GetEditorText(CurrentEditor(app)); }

bool SaveDocumentForRun(App& app, bool withMarkers) {
  // Only a written file counts: "nothing to save" would leave an old file to run.
  return SaveDocument(app, app.settings().highlightChanges != 0, withMarkers, SaveFrom::Run) == SaveResult::Saved;
}

QString ConvertTextForHandOver(App&, const QString& text) { return ConvertToAscii(text); }

}  // namespace vendle
