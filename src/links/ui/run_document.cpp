#include "links/ui/run_document.h"

#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "editor/ui/editor_view.h"
#include "shell/ui/app.h"

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

QString CurrentDocumentText(App& app) {
  EditorView* ed = CurrentEditor(app);
  if (!ed) return {};
  const Sci s = ed->sci();
  return QString::fromUtf8(s.range(0, s.length()));
}

bool SaveDocumentForRun(App& app, bool withMarkers) {
  const SaveResult r = SaveDocument(app, app.settings().highlightChanges != 0, withMarkers);
  return r != SaveResult::NotSaved;
}

QString ConvertTextForHandOver(App&, const QString& text) {
  // Stand-in until the editor's ASCII conversion is available.
  return text;
}

}  // namespace vendle
