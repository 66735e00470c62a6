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

// Every item of the main window, menu entries, toolbar buttons and shortcuts
// alike. An item not listed does nothing.
const Route kRoutes[] = {
    {Item::New, Item::New, "NewDocument", [](App& a, int) { NewDocument(a); }},
    {Item::Clone, Item::Clone, "CloneDocument", [](App& a, int) { CloneDocument(a); }},
    {Item::Open, Item::Open, "OpenWithRequester", [](App& a, int) { OpenWithRequester(a, false); }},
    {Item::OpenFromStore, Item::OpenFromStore, "OpenFromStore", [](App& a, int) { OpenWithRequester(a, true); }},
    {Item::RecentFirst, Item::RecentLast, "OpenRecent",
     [](App& a, int i) { OpenRecent(a, i - +Item::RecentFirst); }},
    {Item::Save, Item::Save, "SaveCurrentDocument", [](App& a, int) { SaveCurrentDocument(a); }},
    {Item::Snapshot, Item::Snapshot, "SaveSnapshot", [](App& a, int) { SaveSnapshot(a); }},
    {Item::SaveAll, Item::SaveAll, "SaveAllDocuments", [](App& a, int) { SaveAllDocuments(a); }},
    {Item::SaveAs, Item::SaveAs, "SaveDocumentAs", [](App& a, int) { SaveDocumentAs(a, false); }},
    {Item::SaveAsInStore, Item::SaveAsInStore, "SaveAsInStore", [](App& a, int) { SaveDocumentAs(a, true); }},
    {Item::SaveSelectionAs, Item::SaveSelectionAs, "SaveSelectionAs", [](App& a, int) { SaveSelectionAs(a); }},
    {Item::SaveAsRtf, Item::FormatAsColourHtml, "RunExport", [](App& a, int i) { RunExport(a, i); }},
    {Item::SaveNewFileIntro, Item::SaveNewFileIntro, "SaveNewFileIntro", [](App& a, int) { SaveNewFileIntro(a); }},
    {Item::RevertToSaved, Item::RevertToSaved, "RevertToSaved", [](App& a, int) { RevertToSaved(a); }},
    {Item::Close, Item::Close, "CloseCurrentDocument", [](App& a, int) { CloseCurrentDocument(a); }},
    {Item::CloseAll, Item::CloseAll, "CloseAllDocuments", [](App& a, int) { CloseAllDocuments(a); }},
    {Item::Print, Item::Print, "PrintCurrentDocument", [](App& a, int) { PrintCurrentDocument(a); }},
    {Item::Preferences, Item::Preferences, "ShowPreferences", [](App& a, int) { ShowPreferences(a, 0); }},
    {Item::FindNext, Item::FindNext, "FindNext", [](App& a, int) { FindNext(a); }},
    {Item::JoinLine, Item::JoinLine, "JoinLine", [](App& a, int) { JoinLine(a); }},
    {Item::Exit, Item::Exit, "ExitRequest", [](App& a, int) { ExitRequest(a); }},
    {Item::Undo, Item::Paste, "EditorClipboardCommand", [](App& a, int i) { EditorClipboardCommand(a, i); }},
    {Item::InsertLineEnd, Item::InsertLineEnd, "InsertLineEnd", [](App& a, int) { InsertLineEnd(a); }},
    {Item::PasteAsAscii, Item::PasteAsAscii, "PasteAsAscii", [](App& a, int) { PasteAsAscii(a); }},
    {Item::InsertFile, Item::InsertFile, "InsertFile", [](App& a, int) { InsertFileCommand(a, false); }},
    {Item::InsertFileFromStore, Item::InsertFileFromStore, "InsertFileFromStore",
     [](App& a, int) { InsertFileCommand(a, true); }},
    {Item::InsertInclude, Item::InsertInclude, "InsertIncludeDirective",
     [](App& a, int) { InsertIncludeDirective(a); }},
    {Item::FindReplace, Item::FindReplace, "ShowFindReplace", [](App& a, int) { ShowFindReplace(a); }},
    {Item::QuickFind, Item::QuickFind, "QuickFind", [](App& a, int) { QuickFind(a); }},
    {Item::PrefillStart, Item::CancelPrefill, "PrefillCommand", [](App& a, int i) { PrefillCommand(a, i); }},
    {Item::SyntaxHintAtCaret, Item::SyntaxHintAtCaret, "ShowSyntaxHintAtCaret",
     [](App& a, int) { ShowSyntaxHintAtCaret(a); }},
    {Item::ColourFirst, Item::ColourLast, "InsertColour", [](App& a, int i) { InsertColour(a, i); }},
    {Item::RemoveLineNumbers, Item::RemoveLineNumbers, "RunSourceTool", [](App& a, int i) { RunSourceTool(a, i); }},
    {Item::RemoveBlankLines, Item::RemoveNonAscii, "RunSourceTool", [](App& a, int i) { RunSourceTool(a, i); }},
    {Item::CommentLines, Item::CommentLines, "CommentLines", [](App& a, int) { CommentLines(a, true); }},
    {Item::UncommentLines, Item::UncommentLines, "UncommentLines", [](App& a, int) { CommentLines(a, false); }},
    {Item::ConvertCComments, Item::ConvertCComments, "RunSourceTool", [](App& a, int i) { RunSourceTool(a, i); }},
    {Item::CleanupLabels, Item::CleanupLabels, "CleanupLabels", [](App& a, int) { CleanupLabelsCommand(a); }},
    {Item::FormatIndentation, Item::VariableReport, "RunSourceTool", [](App& a, int i) { RunSourceTool(a, i); }},
    {Item::DosLineEndings, Item::DosLineEndings, "SetLineEndMode", [](App& a, int) { SetLineEndMode(a, 0); }},
    {Item::UnixLineEndings, Item::UnixLineEndings, "SetLineEndMode", [](App& a, int) { SetLineEndMode(a, 1); }},
    {Item::DeployKey, Item::DeployKey, "Deploy", [](App& a, int) { Deploy(a); }},
    {Item::FontSmall, Item::FontBiggest, "SetFontSizeItem", [](App& a, int i) { SetFontSizeItem(a, i); }},
    {Item::NewLayoutDesign, Item::NewLayoutDesign, "NewLayoutDesign", [](App& a, int) { NewLayoutDesign(a); }},
    {Item::IncorporateLayoutCode, Item::IncorporateLayoutCode, "IncorporateLayoutCode",
     [](App& a, int) { IncorporateLayoutCode(a); }},
    {Item::RefreshLayoutCode, Item::RefreshLayoutCode, "RefreshLayoutCode", [](App& a, int) { RefreshLayoutCode(a); }},
    {Item::ReplaceVariablesWithNumbers, Item::ReplaceVariablesWithNumbers, "ReplaceLayoutVariables",
     [](App& a, int) { ReplaceLayoutVariables(a); }},
    {Item::ExtractYourCode, Item::ExtractYourCode, "ExtractUserCode", [](App& a, int) { ExtractUserCode(a); }},
    {Item::SyntaxColouring, Item::ShowColumn, "ViewToggle", [](App& a, int i) { ViewToggle(a, i); }},
    {Item::PhysicalLineNumbers, Item::PhysicalLineNumbers, "ViewToggle", [](App& a, int i) { ViewToggle(a, i); }},
    {Item::SaveKeywordCase, Item::SaveKeywordCase, "SaveKeywordCase", [](App& a, int) { SaveKeywordCase(a); }},
    {Item::FoldAll, Item::FoldAll, "FoldAll", [](App& a, int) { FoldAllCommand(a); }},
    {Item::UnfoldAll, Item::UnfoldAll, "UnfoldAll", [](App& a, int) { UnfoldAllCommand(a); }},
    {Item::RecomputeFolds, Item::RecomputeFolds, "RecomputeFoldedLines",
     [](App& a, int) { RecomputeFoldedLines(a); }},
    {Item::ToggleBookmark, Item::ToggleBookmark, "ToggleBookmark", [](App& a, int) { ToggleBookmark(a); }},
    {Item::PreviousBookmark, Item::PreviousBookmark, "PreviousBookmark", [](App& a, int) { PreviousBookmark(a); }},
    {Item::NextBookmark, Item::NextBookmark, "NextBookmark", [](App& a, int) { NextBookmark(a); }},
    {Item::ClearAllBookmarks, Item::ClearAllBookmarks, "ClearAllBookmarks",
     [](App& a, int) { ClearAllBookmarks(a); }},
    {Item::GotoLine, Item::GotoLine, "GotoLine", [](App& a, int) { GotoLineCommand(a); }},
    {Item::FindSubFunction, Item::FindSubFunction, "FindSubFunction", [](App& a, int) { FindSubFunction(a); }},
    {Item::ReturnFromSub, Item::ReturnFromSub, "ReturnFromSub", [](App& a, int) { ReturnFromSub(a); }},
    {Item::Deploy, Item::Deploy, "Deploy", [](App& a, int) { Deploy(a); }},
    {Item::ExternalFirst, Item::ExternalLast, "RunExternalProgram",
     [](App& a, int i) { RunExternalProgram(a, i - +Item::ExternalFirst); }},
    {Item::EditProgramList, Item::EditProgramList, "EditProgramList", [](App& a, int) { ShowPreferences(a, 1); }},
    {Item::RunDefaultExternal, Item::RunDefaultExternal, "RunDefaultExternalProgram",
     [](App& a, int) { RunDefaultExternalProgram(a); }},
    {Item::RavoltFirst, Item::RavoltLast, "RunRavoltProgram",
     [](App& a, int i) { RunRavoltProgram(a, i - +Item::RavoltFirst); }},
    {Item::IncludeParameters, Item::IncludeParameters, "ToggleIncludeParameters",
     [](App& a, int) { ToggleIncludeParameters(a); }},
    {Item::SyntaxFirst, Item::SyntaxLast, "ApplySyntaxItem", [](App& a, int i) { ApplySyntaxItem(a, i); }},
    {Item::SetSyntaxAsDefault, Item::SetSyntaxAsDefault, "SetCurrentSyntaxAsDefault",
     [](App& a, int) { SetCurrentSyntaxAsDefault(a); }},
    {Item::About, Item::About, "ShowAboutBox", [](App& a, int) { ShowAboutBox(a); }},
    {Item::SyntaxHelp, Item::SyntaxHelp, "ShowHelpPage", [](App& a, int i) { ShowHelpPage(a, i); }},
    {Item::SyntaxHelpAtCaret, Item::SyntaxHelpAtCaret, "SyntaxHelpAtCaret",
     [](App& a, int) { SyntaxHelpAtCaret(a, false); }},
    {Item::DetailedSyntaxHelp, Item::DetailedSyntaxHelp, "DetailedSyntaxHelp",
     [](App& a, int) { SyntaxHelpAtCaret(a, true); }},
    {Item::VendleHelp, Item::KeyboardShortcuts, "ShowHelpPage", [](App& a, int i) { ShowHelpPage(a, i); }},
    {Item::ExtRefFirst, Item::ExtRefLast, "OpenExternalReference",
     [](App& a, int i) { OpenExternalReference(a, i - +Item::ExtRefFirst); }},
    {Item::ChangeLog, Item::ChangeLog, "ShowChangeLog",
     [](App& a, int) { ShowFileInInfoWindow(a, a.folders().changeLog); }},
    {Item::CopyInfFiles, Item::CopyInfFiles, "CopyInfFiles", [](App& a, int) { CopyInfFiles(a); }},
    {Item::ReturnKey, Item::ReturnKey, "ReturnKey", [](App& a, int) { ReturnKey(a); }},
};

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
    app.noteHandler("TabBarEvent");
    TabBarEvent(app, e);
    return;
  }
  if (!IsEditorControl(app, e.object)) return;
  // Return and Shift+Return are window shortcuts only while an editor has the focus.
  Toolkit& tk = app.toolkit();
  if (e.type == +ControlEvent::FocusGained) {
    app.noteHandler("EditorFocusGained");
    tk.addShortcut(kMain, QString::fromLatin1(kReturnShortcut.keys), +kReturnShortcut.item);
    tk.addShortcut(kMain, QString::fromLatin1(kShiftReturnShortcut.keys), +kShiftReturnShortcut.item);
  } else if (e.type == +ControlEvent::FocusLost) {
    app.noteHandler("EditorFocusLost");
    tk.removeShortcut(kMain, QString::fromLatin1(kReturnShortcut.keys));
    tk.removeShortcut(kMain, QString::fromLatin1(kShiftReturnShortcut.keys));
  }
}

void DispatchMainTimer(App& app, int timer) {
  switch (static_cast<TimerId>(timer)) {
    case TimerId::Backup:
      app.noteHandler("BackupTick");
      BackupTick(app);
      break;
    case TimerId::StatusRefresh:
      app.noteHandler("StatusRefreshTick");
      StatusRefreshTick(app);
      break;
    case TimerId::FirstLayout:
      app.noteHandler("FirstLayout");
      app.toolkit().removeTimer(kMain, timer);
      LayoutEditors(app);
      break;
    case TimerId::SyntaxHelpLine:
      app.noteHandler("SyntaxHelpLineTick");
      SyntaxHelpLineTick(app);
      break;
  }
}

void DispatchMainWindow(App& app, const Event& e) {
  switch (e.kind) {
    case EventKind::RightClick:
      app.noteHandler("ShowEditorPopup");
      ShowEditorPopup(app, e.x, e.y);
      break;
    case EventKind::Control: DispatchMainControl(app, e); break;
    case EventKind::Menu: DispatchMenu(app, e.object); break;
    case EventKind::Timer: DispatchMainTimer(app, e.object); break;
    case EventKind::Close:
      app.noteHandler("ExitRequest");
      app.requesters().stopDismissing();
      ExitRequest(app);
      break;
    case EventKind::Move:
    case EventKind::Size:
      app.noteHandler("LayoutAndStoreMainRect");
      LayoutEditors(app);
      StoreMainWindowRect(app);
      break;
    case EventKind::ControlCommand:
      app.noteHandler("ExecuteControlCommand");
      ExecuteControlCommand(app, e.text);
      break;
    default: break;
  }
}

}  // namespace

void App::dispatch(const Event& e) {
  // Dropped files open from any window; only the main window accepts them.
  if (e.kind == EventKind::Drop) {
    if (!e.text.isEmpty()) {
      noteHandler("OpenDroppedFiles");
      OpenDocumentList(*this, e.text, true);
    }
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
}

}  // namespace vendle
