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

void CloseCurrentDocument(App& app) { CloseCurrentTab(app); }
void CloseAllDocuments(App& app) { CloseAllTabs(app); }

bool CloseAllForExit(App& app) { return CloseAllTabs(app); }
void FocusCurrentEditor(App& app) {
  if (EditorView* ed = CurrentEditor(app)) ed->setFocus();
}
void TabBarEvent(App&, const Event&) {}

}  // namespace vendle
