#include "documents/ui/document_commands.h"

#include <QApplication>

#include "documents/ui/documents.h"
#include "documents/ui/tab_bar_canvas.h"
#include "documents/ui/tab_strip.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"
#include "shell/ui/services.h"

namespace vendle {

CurrentDocument GetCurrentDocument(App& app) {
  DocumentList& list = app.state().docs.list;
  DocumentRecord* d = list.current();
  EditorView* ed = d ? EditorOf(app.toolkit(), d->editor) : nullptr;
  if (!ed) return {};
  return {list.currentIndex(), d, ed};
}

EditorView* CurrentEditor(App& app) { return GetCurrentDocument(app).editor; }

void CloseCurrentDocument(App& app) { CloseCurrentTab(app); }
void CloseAllDocuments(App& app) { CloseAllTabs(app); }

bool CloseAllForExit(App& app) { return CloseAllTabs(app); }
void FocusCurrentEditor(App& app) {
  if (EditorView* ed = CurrentEditor(app)) ed->setFocus();
}
void ReturnToEditor(App& app) {
  EditorView* ed = CurrentEditor(app);
  if (!ed || app.loopEnded()) return;
  ed->window()->activateWindow();
  ed->setFocus();
}
void SelectNeighbourTab(App& app, int step) {
  const int n = app.state().docs.list.size();
  const int from = app.state().docs.currentTabIndex;
  if (n < 2 || !app.state().docs.list.valid(from)) return;
  SwitchDocumentTab(app, ((from + step) % n + n) % n, from);
}
void TabBarEvent(App& app, const Event& e) {
  TabBarCanvas* canvas = TabBarCanvas::of(app.toolkit());
  if (!canvas) return;
  const TabBarResult r = canvas->handle(e);
  DocumentList& list = app.state().docs.list;
  switch (r.kind) {
    case TabBarEventKind::New:
      NewDocument(app);
      break;
    case TabBarEventKind::Close:
      if (!list.valid(r.index)) break;
      if (r.index != app.state().docs.currentTabIndex) SwitchDocumentTab(app, r.index, app.state().docs.currentTabIndex);
      app.tabStrip().select(r.index);
      CloseCurrentTab(app);
      break;
    case TabBarEventKind::Select:
      if (list.valid(r.index) && r.index != app.state().docs.currentTabIndex)
        SwitchDocumentTab(app, r.index, app.state().docs.currentTabIndex);
      break;
    case TabBarEventKind::None:
      break;
  }
}

}  // namespace vendle
