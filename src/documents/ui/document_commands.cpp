#include "documents/ui/document_commands.h"

#include <QApplication>

#include "editor/ui/editor_view.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"

namespace vendle {

EditorView* CurrentEditor(App& app) {
  // Until documents exist: the editor with the focus, else the first one.
  if (auto* focused = dynamic_cast<EditorView*>(QApplication::focusWidget())) return focused;
  return EditorOf(app.toolkit(), +ControlId::FirstEditor);
}

void NewDocument(App&) {}
void CloneDocument(App&) {}
void OpenWithRequester(App&, bool) {}
void OpenRecent(App&, int) {}
SaveResult SaveCurrentDocument(App&) { return SaveResult::NotSaved; }
void SaveSnapshot(App&) {}
void SaveAllDocuments(App&) {}
void SaveDocumentAs(App&, bool) {}
void SaveSelectionAs(App&) {}
void SaveNewFileIntro(App&) {}
void RevertToSaved(App&) {}
void CloseCurrentDocument(App&) {}
void CloseAllDocuments(App&) {}

void OpenDocumentList(App& app, const QString& lfList) {
  // Until documents open, the paths are recorded.
  for (const QString& p : lfList.split(u'\n', Qt::SkipEmptyParts)) app.pendingOpens.append(p);
}

void OpenPreviousFiles(App&) {}
void RecordOpenFiles(App&) {}
bool CloseAllForExit(App&) { return true; }
void FocusCurrentEditor(App&) {}
void TabBarEvent(App&, const Event&) {}
void PasteIntoNewDocument(App&) {}

}  // namespace vendle
