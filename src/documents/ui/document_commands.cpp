#include "documents/ui/document_commands.h"

#include <QApplication>

#include "documents/ui/documents.h"
#include "documents/ui/tab_strip.h"
#include "editor/ui/editor_view.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"

namespace vendle {

EditorView* CurrentEditor(App& app) {
  const DocumentRecord* d = app.state().docs.list.current();
  return d ? EditorOf(app.toolkit(), d->editor) : nullptr;
}

int NewDocument(App& app) {
  const int index = CreateDocumentTab(app, app.folders().file + kUntitledName);
  if (index < 0) return -1;
  if (EditorView* ed = EditorOfDocument(app, index)) {
    Sci s = ed->sci();
    const QByteArray text = app.settings().newFileText.toUtf8();
    s.send(QsciScintillaBase::SCI_CLEARALL);
    s.sendPtr(QsciScintillaBase::SCI_APPENDTEXT, text.size(), text.constData());
    s.send(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
  }
  return index;
}
void CloneDocument(App&) {}
void OpenWithRequester(App&, bool) {}
void OpenRecent(App&, int) {}
SaveResult SaveCurrentDocument(App& app) { return SaveDocument(app, true, true); }
SaveResult SaveDocument(App&, bool, bool) { return SaveResult::NotSaved; }
void SaveSnapshot(App&) {}
void SaveAllDocuments(App&) {}
void SaveDocumentAs(App&, bool) {}
void SaveSelectionAs(App&) {}
void SaveNewFileIntro(App&) {}
void RevertToSaved(App&) {}
void CloseCurrentDocument(App& app) { CloseCurrentTab(app); }
void CloseAllDocuments(App& app) { CloseAllTabs(app); }

void OpenDocumentList(App& app, const QString& lfList) {
  // Until documents open, the paths are recorded.
  for (const QString& p : lfList.split(u'\n', Qt::SkipEmptyParts)) app.pendingOpens.append(p);
}

void OpenPreviousFiles(App&) {}
void RecordOpenFiles(App&) {}
bool CloseAllForExit(App& app) { return CloseAllTabs(app); }
void FocusCurrentEditor(App& app) {
  if (EditorView* ed = CurrentEditor(app)) ed->setFocus();
}
void TabBarEvent(App&, const Event&) {}
void PasteIntoNewDocument(App&) {}

}  // namespace vendle
