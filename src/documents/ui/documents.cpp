#include "documents/ui/documents.h"

#include <QApplication>

#include "documents/document_list.h"
#include "documents/recent_entry.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/tab_strip.h"
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/change_marks.h"
#include "editor/ui/editor_config.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/editor_setup.h"
#include "editor/ui/syntax_commands.h"
#include "editor/ui/view_options.h"
#include "platform/paths.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/app.h"
#include "shell/ui/main_window_commands.h"
#include "shell/ui/services.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

Documents& Docs(App& app) { return app.state().docs; }

void SetKeywordCase(App& app, EditorView& ed) {
  // Style 1 (keywords) shows the keyword case mode: 0 as typed, 1 upper, 2 lower, 3 capitalised.
  static constexpr int kCase[] = {S::SC_CASE_MIXED, S::SC_CASE_UPPER, S::SC_CASE_LOWER, 3 /* SC_CASE_CAMEL */};
  const int mode = app.settings().upperCase;
  ed.sci().send(S::SCI_STYLESETCASE, 1, kCase[(mode >= 0 && mode <= 3) ? mode : 0]);
}

void TickSyntaxItems(App& app, const QString& syntax) {
  for (int item = +Item::SyntaxFirst; item <= +Item::SyntaxLast; ++item)
    if (!ItemText(app, item).isEmpty()) SetItemChecked(app, item, ItemText(app, item) == syntax);
}

void FocusUnlessBackingUp(App& app) {
  if (app.state().backupRunning) return;
  if (EditorView* ed = CurrentEditor(app)) ed->setFocus();
}

void RefreshFileStatus(App& app) {
  if (DocumentRecord* d = Docs(app).list.current()) UpdateFileStatus(app, d->editor);
}

void ParkOthers(App& app, const EditorView& shown);

void ShowDocumentEditor(App& app, EditorView& ed) {
  // Exactly one editor is shown at a time.
  ParkOthers(app, ed);
  const Rect r = app.mainWindow() ? CurrentMainLayout(app).editor : Rect{5, 0, 10, 10};
  ed.setGeometry(r.x, r.y, std::max(10, r.w), std::max(10, r.h));
  ed.setEnabled(true);
  PrepareShownEditor(app, ed);
  ed.show();
  ed.setPopupBound(true);
}

void ParkOthers(App& app, const EditorView& shown) {
  for (int c = +ControlId::FirstEditor; c <= +ControlId::FirstEditor + app.settings().maxTabs; ++c)
    if (EditorView* other = EditorOf(app.toolkit(), c); other && other != &shown && other->isVisible())
      ParkEditor(app, *other);
}

}  // namespace

EditorView* EditorOfDocument(App& app, int index) {
  DocumentList& list = Docs(app).list;
  return list.valid(index) ? EditorOf(app.toolkit(), list.at(index).editor) : nullptr;
}

int MakeSelectedDocumentCurrent(App& app) {
  const int selected = app.tabStrip().selected();
  Docs(app).list.setCurrent(selected);
  return Docs(app).list.valid(selected) ? selected : -1;
}

void ParkEditor(App& app, EditorView& ed) {
  const int top = CurrentMainLayout(app).editorTop;
  ed.setPopupBound(false);
  ed.hide();
  ed.setEnabled(false);
  ed.setGeometry(5, top, 10, 10);
  PrepareParkedEditor(app, ed);
}

void SaveDocumentView(App& app, int index) {
  DocumentList& list = Docs(app).list;
  EditorView* ed = EditorOfDocument(app, index);
  if (!ed) return;
  DocumentRecord& d = list.at(index);
  Sci s = ed->sci();
  d.caretPosition = static_cast<int>(s.currentPos());
  d.modified = s.modified() ? 1 : 0;
  // A document line, whatever the widget's size (parked editors are 10 x 10).
  d.firstVisibleLine = static_cast<int>(s.send(S::SCI_DOCLINEFROMVISIBLE, s.send(S::SCI_GETFIRSTVISIBLELINE)));
}

QString RecentEntryOf(const DocumentRecord& d) {
  return RecentFileEntry{d.path, d.caretPosition, d.firstVisibleLine, d.foldedLines, d.syntax, d.bookmarks}
      .toString();
}

int CreateDocumentTab(App& app, const QString& path) {
  Documents& docs = Docs(app);
  const int slot = docs.editorSlots.lowestFree();
  if (slot < 0) {
    app.requesters().message(QStringLiteral("Oops!"), QStringLiteral("Too many tabs open."));
    return -1;
  }
  if (path.isEmpty()) return -1;
  EditorView* ed = EditorOf(app.toolkit(), +ControlId::FirstEditor + slot);
  if (!ed) return -1;  // a slot whose editor could not be made cannot be used

  app.folders().file = FolderPart(path);
  const QString tabText = FileNamePart(path);
  TabStrip& tabs = app.tabStrip();
  if (tabs.selected() >= 0) DeactivateDocumentEditor(app, tabs.selected());

  const int index = tabs.add(tabText);
  docs.editorSlots.take(slot);
  DocumentRecord rec;
  rec.editor = +ControlId::FirstEditor + slot;
  rec.path = path;
  rec.name = tabText;
  const int added = docs.list.append(std::move(rec));
  Q_ASSERT(added == index);
  docs.list.setCurrent(added);
  tabs.select(added);

  SetEditorFont(app, *ed);
  SetKeywordCase(app, *ed);
  SetEditorTabs(app, *ed);
  ApplyEditorSettings(app, *ed);
  SetChangeMarking(*ed, app.settings().highlightChanges != 0, app.settings().styleForChanges);

  const QString syntax = app.settings().defaultSyntax;
  ApplySyntax(app, FindSyntaxIndexFor(app, syntax), QString(), QString(), false);
  docs.list.at(added).syntax = syntax;

  ActivateDocumentTab(app, added);
  docs.currentTabIndex = added;
  return added;
}

int ActivateDocumentTab(App& app, int index) {
  Documents& docs = Docs(app);
  if (docs.list.valid(index)) {
    docs.list.setCurrent(index);
    DocumentRecord& d = docs.list.at(index);
    if (EditorView* ed = EditorOfDocument(app, index)) {
      // A screen reader names the editor by the document it shows.
      ed->setAccessibleName(d.name);
      SetKeywordCase(app, *ed);
      ShowDocumentEditor(app, *ed);
    }
    SetStatusField(app, StatusField::Path, d.path);
    app.tabStrip().select(index);
    SetStatusField(app, StatusField::Syntax, d.syntax);
    TickSyntaxItems(app, d.syntax);
  }
  FocusUnlessBackingUp(app);
  RefreshFileStatus(app);
  docs.currentTabIndex = index;
  return index;
}

void DeactivateDocumentEditor(App& app, int index) {
  Documents& docs = Docs(app);
  if (!docs.list.valid(index)) return;
  docs.list.setCurrent(index);
  if (EditorView* ed = EditorOfDocument(app, index)) ParkEditor(app, *ed);
}

void SwitchDocumentTab(App& app, int to, int from) {
  Documents& docs = Docs(app);
  if (docs.list.valid(from)) {
    docs.list.setCurrent(from);
    SaveDocumentView(app, from);
    if (EditorView* ed = EditorOfDocument(app, from)) ParkEditor(app, *ed);
  }
  if (docs.list.valid(to)) {
    docs.list.setCurrent(to);
    ActivateDocumentTab(app, to);
  }
  FocusUnlessBackingUp(app);
  RefreshFileStatus(app);
  docs.currentTabIndex = to;
}

void RemoveDocumentTab(App& app, int index) {
  Documents& docs = Docs(app);
  if (!docs.list.valid(index)) return;
  const DocumentRecord& d = docs.list.at(index);
  docs.editorSlots.release(d.editor - +ControlId::FirstEditor);
  if (EditorView* ed = EditorOf(app.toolkit(), d.editor)) {
    ed->setPopupBound(false);
    // A full reset, so that the next document in this slot starts clean:
    // text, undo history, markers, folds, styles and line-end mode.
    Sci s = ed->sci();
    s.send(S::SCI_SETREADONLY, 0);
    s.send(S::SCI_CLEARALL);
    s.send(S::SCI_EMPTYUNDOBUFFER);
    s.send(S::SCI_SETSAVEPOINT);
    s.send(S::SCI_MARKERDELETEALL, static_cast<std::uintptr_t>(-1));
    s.send(S::SCI_CLEARDOCUMENTSTYLE);
    s.send(S::SCI_SETANCHOR, 0);
    s.send(S::SCI_SETCURRENTPOS, 0);
    s.send(S::SCI_SETFIRSTVISIBLELINE, 0);
    ResetEditorLexer(*ed);
    SetUpEditorControl(*ed, app.settings().lineEndingsMode);
    ConfigureEditorGadget(app, *ed);
    ParkEditor(app, *ed);
  }
  app.tabStrip().remove(index);
  docs.list.remove(index);
}

void CloseDocumentTab(App& app, int index) {
  Documents& docs = Docs(app);
  TabStrip& tabs = app.tabStrip();
  if (!docs.list.valid(index)) return;
  // A document is always open, except when the program is quitting.
  if (tabs.count() == 1 && tabs.selected() == 0 && index == 0 && app.state().quitFlag == 0) NewDocument(app);

  docs.list.setCurrent(index);
  DocumentRecord& d = docs.list.at(index);
  if (!d.untitled()) {
    CollectFoldState(app, index);  // with the live caret and first line
    if (PathFitsEntry(d.path)) AddRecentFile(app, RecentEntryOf(d));
  }
  RemoveDocumentTab(app, index);

  int next = std::min(index, tabs.count() - 1);
  if (docs.list.valid(next)) {
    docs.list.setCurrent(next);
    ActivateDocumentTab(app, next);
    const DocumentRecord& shown = docs.list.at(next);
    ApplySyntax(app, FindSyntaxIndexFor(app, shown.syntax), shown.userSubNames, shown.userVariableNames, false);
    FocusUnlessBackingUp(app);
    RefreshFileStatus(app);
  } else {
    next = -1;
  }
  docs.currentTabIndex = next;
}

void CloseCurrentTab(App& app) {
  const int index = MakeSelectedDocumentCurrent(app);
  if (index < 0) return;
  EditorView* ed = EditorOfDocument(app, index);
  if (ed && ed->sci().modified()) {
    switch (app.requesters().ask(QStringLiteral("File changed"), QStringLiteral("Do you want to save changes?"),
                                 Buttons::YesNoCancel)) {
      case Answer::Yes:
        // A text is never lost because its save failed.
        if (SaveDocument(app, true, true) == SaveResult::NotSaved) return;
        break;
      case Answer::No: break;
      default: return;
    }
  }
  CloseDocumentTab(app, index);
}

bool CloseAllTabs(App& app) {
  Documents& docs = Docs(app);
  for (int i = docs.list.size() - 1; i >= 0; --i) {
    if (i != docs.currentTabIndex) SwitchDocumentTab(app, i, docs.currentTabIndex);
    app.tabStrip().select(i);
    docs.list.setCurrent(i);
    EditorView* ed = EditorOfDocument(app, i);
    if (!ed || !ed->sci().modified()) continue;
    const Answer a = app.requesters().ask(
        QStringLiteral("File changed"), "Do you want to save changes to\n" + docs.list.at(i).name + "?",
        Buttons::YesNoCancel);
    if (a == Answer::Cancel || a == Answer::Ok) return false;
    if (a == Answer::Yes && SaveDocument(app, true, true) == SaveResult::NotSaved) return false;
  }
  for (int i = docs.list.size() - 1; i >= 0; --i) CloseDocumentTab(app, i);
  return true;
}

}  // namespace vendle
