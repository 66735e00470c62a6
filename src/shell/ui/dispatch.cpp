// The dispatch of every event by window and kind, and the table that routes
// each menu item (menu entry, toolbar button or shortcut) to its handler.
#include <array>

#include "documents/ui/document_commands.h"
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/editor_commands.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/find_commands.h"
#include "editor/ui/syntax_commands.h"
#include "editor/ui/view_options.h"
#include "links/ui/link_commands.h"
#include "platform/ui/toolkit.h"
#include "settings/ui/settings_commands.h"
#include "shell/shortcuts.h"
#include "shell/ui/app.h"
#include "shell/ui/exit_and_backup.h"
#include "shell/ui/info_window.h"
#include "shell/ui/main_window.h"
#include "shell/ui/main_window_commands.h"
#include "tools/ui/layout_commands.h"
#include "tools/ui/tool_commands.h"

namespace vendle {
namespace {

constexpr int kMain = static_cast<int>(WindowId::Main);

struct Route {
  Item first;
  Item last;
  const char* name;
  void (*run)(App&, int item);
};

// The route's name is the call it makes, spelled out by the preprocessor, so
// what a test reads back is what ran.
#define ROUTE(first, last, handler, ...)                         \
  {Item::first, Item::last, #handler "(" #__VA_ARGS__ ")", \
   [](App& a, [[maybe_unused]] int i) { handler(__VA_ARGS__); }}

// Every item of the main window, menu entries, toolbar buttons and shortcuts
// alike. An item not listed does nothing.
const Route kRoutes[] = {
    ROUTE(New, New, NewDocument, a),
    ROUTE(Clone, Clone, CloneDocument, a),
    ROUTE(Open, Open, OpenWithRequester, a, false),
    ROUTE(OpenFromStore, OpenFromStore, OpenWithRequester, a, true),
    ROUTE(RecentFirst, RecentLast, OpenRecent, a, i - +Item::RecentFirst),
    ROUTE(Save, Save, SaveCurrentDocument, a),
    ROUTE(Snapshot, Snapshot, SaveSnapshot, a),
    ROUTE(SaveAll, SaveAll, SaveAllDocuments, a),
    ROUTE(SaveAs, SaveAs, SaveDocumentAs, a, false),
    ROUTE(SaveAsInStore, SaveAsInStore, SaveDocumentAs, a, true),
    ROUTE(SaveSelectionAs, SaveSelectionAs, SaveSelectionAs, a),
    ROUTE(SaveAsRtf, FormatAsColourHtml, RunExport, a, i),
    ROUTE(SaveNewFileIntro, SaveNewFileIntro, SaveNewFileIntro, a),
    ROUTE(RevertToSaved, RevertToSaved, RevertToSaved, a),
    ROUTE(Close, Close, CloseCurrentDocument, a),
    ROUTE(NextTab, NextTab, SelectNeighbourTab, a, 1),
    ROUTE(PreviousTab, PreviousTab, SelectNeighbourTab, a, -1),
    ROUTE(CloseAll, CloseAll, CloseAllDocuments, a),
    ROUTE(Print, Print, PrintCurrentDocument, a),
    ROUTE(Preferences, Preferences, ShowPreferences, a, 0),
    ROUTE(FindNext, FindNext, FindNext, a),
    ROUTE(JoinLine, JoinLine, JoinLine, a),
    ROUTE(Exit, Exit, ExitRequest, a),
    ROUTE(Undo, Paste, EditorClipboardCommand, a, i),
    ROUTE(InsertLineEnd, InsertLineEnd, InsertLineEnd, a),
    ROUTE(PasteAsAscii, PasteAsAscii, PasteAsAscii, a),
    ROUTE(InsertFile, InsertFile, InsertFileCommand, a, false),
    ROUTE(InsertFileFromStore, InsertFileFromStore, InsertFileCommand, a, true),
    ROUTE(InsertInclude, InsertInclude, InsertIncludeDirective, a),
    ROUTE(FindReplace, FindReplace, ShowFindReplace, a),
    ROUTE(QuickFind, QuickFind, QuickFind, a),
    ROUTE(PrefillStart, CancelPrefill, PrefillCommand, a, i),
    ROUTE(SyntaxHintAtCaret, SyntaxHintAtCaret, ShowSyntaxHintAtCaret, a),
    ROUTE(ColourFirst, ColourLast, InsertColour, a, i),
    ROUTE(RemoveLineNumbers, RemoveLineNumbers, RunSourceTool, a, i),
    ROUTE(RemoveBlankLines, RemoveNonAscii, RunSourceTool, a, i),
    ROUTE(CommentLines, CommentLines, CommentLines, a, true),
    ROUTE(UncommentLines, UncommentLines, CommentLines, a, false),
    ROUTE(ConvertCComments, ConvertCComments, RunSourceTool, a, i),
    ROUTE(CleanupLabels, CleanupLabels, CleanupLabelsCommand, a),
    ROUTE(FormatIndentation, VariableReport, RunSourceTool, a, i),
    ROUTE(DosLineEndings, DosLineEndings, SetLineEndMode, a, 0),
    ROUTE(UnixLineEndings, UnixLineEndings, SetLineEndMode, a, 1),
    ROUTE(DeployKey, DeployKey, Deploy, a),
    ROUTE(FontSmall, FontBiggest, SetFontSizeItem, a, i),
    ROUTE(NewLayoutDesign, NewLayoutDesign, NewLayoutDesign, a),
    ROUTE(IncorporateLayoutCode, IncorporateLayoutCode, IncorporateLayoutCode, a),
    ROUTE(RefreshLayoutCode, RefreshLayoutCode, RefreshLayoutCode, a),
    ROUTE(ReplaceVariablesWithNumbers, ReplaceVariablesWithNumbers, ReplaceLayoutVariables, a),
    ROUTE(ExtractYourCode, ExtractYourCode, ExtractUserCode, a),
    ROUTE(SyntaxColouring, ShowColumn, ViewToggle, a, i),
    ROUTE(PhysicalLineNumbers, PhysicalLineNumbers, ViewToggle, a, i),
    ROUTE(SaveKeywordCase, SaveKeywordCase, SaveKeywordCase, a),
    ROUTE(FoldAll, FoldAll, FoldAllCommand, a),
    ROUTE(UnfoldAll, UnfoldAll, UnfoldAllCommand, a),
    ROUTE(RecomputeFolds, RecomputeFolds, RecomputeFoldedLines, a),
    ROUTE(ToggleBookmark, ToggleBookmark, ToggleBookmark, a),
    ROUTE(PreviousBookmark, PreviousBookmark, PreviousBookmark, a),
    ROUTE(NextBookmark, NextBookmark, NextBookmark, a),
    ROUTE(ClearAllBookmarks, ClearAllBookmarks, ClearAllBookmarks, a),
    ROUTE(GotoLine, GotoLine, GotoLineCommand, a),
    ROUTE(FindSubFunction, FindSubFunction, FindSubFunction, a),
    ROUTE(ReturnFromSub, ReturnFromSub, ReturnFromSub, a),
    ROUTE(Deploy, Deploy, Deploy, a),
    ROUTE(ExternalFirst, ExternalLast, RunExternalProgram, a, i - +Item::ExternalFirst),
    ROUTE(EditProgramList, EditProgramList, ShowPreferences, a, 1),
    ROUTE(RunDefaultExternal, RunDefaultExternal, RunDefaultExternalProgram, a),
    ROUTE(RavoltFirst, RavoltLast, RunRavoltProgram, a, i - +Item::RavoltFirst),
    ROUTE(IncludeParameters, IncludeParameters, ToggleIncludeParameters, a),
    ROUTE(SyntaxFirst, SyntaxLast, ApplySyntaxItem, a, i),
    ROUTE(SetSyntaxAsDefault, SetSyntaxAsDefault, SetCurrentSyntaxAsDefault, a),
    ROUTE(About, About, ShowAboutBox, a),
    ROUTE(SyntaxHelp, SyntaxHelp, ShowHelpPage, a, i),
    ROUTE(SyntaxHelpAtCaret, SyntaxHelpAtCaret, SyntaxHelpAtCaret, a, false),
    ROUTE(DetailedSyntaxHelp, DetailedSyntaxHelp, SyntaxHelpAtCaret, a, true),
    ROUTE(VendleHelp, KeyboardShortcuts, ShowHelpPage, a, i),
    ROUTE(ExtRefFirst, ExtRefLast, OpenExternalReference, a, i - +Item::ExtRefFirst),
    ROUTE(ChangeLog, ChangeLog, ShowFileInInfoWindow, a, a.folders().changeLog),
    ROUTE(CopyInfFiles, CopyInfFiles, CopyInfFiles, a),
    ROUTE(ReturnKey, ReturnKey, ReturnKey, a),
};

// Notes the call it makes, spelled out, in the handler trace, then makes it.
#define CALL(handler, ...)                                 \
  do {                                                     \
    app.noteHandler(#handler "(" #__VA_ARGS__ ")");        \
    handler(__VA_ARGS__);                                  \
  } while (false)

// Return and Shift+Return are window shortcuts only while an editor has the focus.
void AddReturnShortcuts(App& app) {
  Toolkit& tk = app.toolkit();
  tk.addShortcut(kMain, QString::fromLatin1(kReturnShortcut.keys), +kReturnShortcut.item);
  tk.addShortcut(kMain, QString::fromLatin1(kShiftReturnShortcut.keys), +kShiftReturnShortcut.item);
}

void RemoveReturnShortcuts(App& app) {
  Toolkit& tk = app.toolkit();
  tk.removeShortcut(kMain, QString::fromLatin1(kReturnShortcut.keys));
  tk.removeShortcut(kMain, QString::fromLatin1(kShiftReturnShortcut.keys));
}

// The one-shot timer that lays the editors out once the window has its size.
void FirstLayout(App& app) {
  app.toolkit().removeTimer(kMain, +TimerId::FirstLayout);
  LayoutEditors(app);
}

// The close box, or a close request from outside: the exit may ask its
// questions again.
void CloseMainWindow(App& app) {
  app.requesters().stopDismissing();
  ExitRequest(app);
}

void LayoutAndStoreMainRect(App& app) {
  LayoutEditors(app);
  StoreMainWindowRect(app);
}

const Route* FindRoute(int item) {
  for (const Route& r : kRoutes)
    if (item >= +r.first && item <= +r.last) return &r;
  return nullptr;
}

void DispatchMenu(App& app, int item) {
  if (const Route* r = FindRoute(item)) {
    app.noteHandler(r->name);
    r->run(app, item);
  }
}

bool IsEditorControl(App& app, int control) {
  return control >= +ControlId::FirstEditor && control <= +ControlId::FirstEditor + app.settings().maxTabs;
}

void DispatchMainControl(App& app, const Event& e) {
  if (e.object == +ControlId::TabBar) {
    CALL(TabBarEvent, app, e);
    return;
  }
  if (!IsEditorControl(app, e.object)) return;
  if (e.type == +ControlEvent::FocusGained) CALL(AddReturnShortcuts, app);
  else if (e.type == +ControlEvent::FocusLost) CALL(RemoveReturnShortcuts, app);
}

void DispatchMainTimer(App& app, int timer) {
  switch (static_cast<TimerId>(timer)) {
    case TimerId::Backup:
      CALL(BackupTick, app);
      break;
    case TimerId::StatusRefresh:
      CALL(StatusRefreshTick, app);
      break;
    case TimerId::FirstLayout:
      CALL(FirstLayout, app);
      break;
    case TimerId::SyntaxHelpLine:
      CALL(SyntaxHelpLineTick, app);
      break;
  }
}

void DispatchMainWindow(App& app, const Event& e) {
  switch (e.kind) {
    case EventKind::RightClick:
      CALL(ShowEditorPopup, app, e.x, e.y);
      break;
    case EventKind::Control: DispatchMainControl(app, e); break;
    case EventKind::Menu: DispatchMenu(app, e.object); break;
    case EventKind::Timer: DispatchMainTimer(app, e.object); break;
    case EventKind::Close:
      CALL(CloseMainWindow, app);
      break;
    case EventKind::Move:
    case EventKind::Size:
      CALL(LayoutAndStoreMainRect, app);
      break;
    case EventKind::ControlCommand:
      CALL(ExecuteControlCommand, app, e.text);
      break;
    default: break;
  }
}

}  // namespace

void App::dispatch(const Event& e) {
  // Dropped files open from any window; only the main window accepts them.
  if (e.kind == EventKind::Drop) {
    App& app = *this;
    if (!e.text.isEmpty()) CALL(OpenDocumentList, app, e.text, true);
    return;
  }
  switch (static_cast<WindowId>(e.window)) {
    case WindowId::Main: DispatchMainWindow(*this, e); break;
    case WindowId::Settings: SettingsWindowEvent(*this, e); break;
    case WindowId::WebPage: WebWindowEvent(*this, e); break;
    case WindowId::InfoText: InfoWindowEvent(*this, e); break;
    case WindowId::FindReplace:
    case WindowId::FindAll: FindWindowEvent(*this, e); break;
    case WindowId::SubList: SubListWindowEvent(*this, e); break;
    case WindowId::SyntaxHints: HintWindowEvent(*this, e); break;
    case WindowId::HelpViewer: HelpWindowEvent(*this, e); break;
  }
  // A tool window that closed hands the keyboard back to the program.
  if (e.kind == EventKind::Close && e.window != kMain && !toolkit_->windowExists(e.window)) ReturnToEditor(*this);
}

}  // namespace vendle
