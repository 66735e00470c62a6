// The document commands: new, open, save, close and the lists of documents
// to open. Every command works on the App's documents.
#pragma once

#include <QString>
#include <optional>

#include "documents/recent_entry.h"

#include "shell/ui/services.h"

namespace vendle {

class App;
class EditorView;
struct Event;

// What a save did. A close, a close-all and the exit go on only after
// Saved or NothingToSave.
enum class SaveResult { Saved, NothingToSave, NotSaved };

// Item::New and the tab bar's "+": a new untitled document; its index or -1.
int NewDocument(App& app);
void CloneDocument(App& app);                         // Item::Clone
void OpenWithRequester(App& app, bool fromStore);     // Item::Open, Item::OpenFromStore
void OpenRecent(App& app, int index);                 // Item::RecentFirst to Item::RecentLast
SaveResult SaveCurrentDocument(App& app);             // Item::Save
// Saves the current document. `reset`: empty the undo history and set the
// save point; `markers`: write the in-text markers when that is on. From the
// menu, a cancelled name requester of an untitled document writes
// "untitled.bas" in the file folder; anywhere else it is "not saved".
enum class SaveFrom { Menu, Close, Run };
SaveResult SaveDocument(App& app, bool reset, bool markers, SaveFrom from = SaveFrom::Close);
// Opens a file as a document; "" asks with the requester (in the store
// folder when `fromStore`).
void OpenDocument(App& app, const QString& path, bool fromStore);
void SaveSnapshot(App& app);                          // Item::Snapshot
void SaveAllDocuments(App& app);                      // Item::SaveAll
void SaveDocumentAs(App& app, bool inStore);          // Item::SaveAs, Item::SaveAsInStore
void SaveSelectionAs(App& app);                       // Item::SaveSelectionAs
void SaveNewFileIntro(App& app);                      // Item::SaveNewFileIntro
void RevertToSaved(App& app);                         // Item::RevertToSaved
void CloseCurrentDocument(App& app);                  // Item::Close
void CloseAllDocuments(App& app);                     // Item::CloseAll

// Opening a file into a tab: every open (Open, Open Recent, the lists of
// start-up, drops and "/load") goes through OpenFileInTab, which shows no
// message; its caller shows the one message the result calls for.
inline constexpr const char* kTooManyTabs = "Too many tabs open.";
enum class OpenOutcome { Opened, AlreadyOpen, Refused };
enum class OpenRefusal { None, TooManyTabs, Missing, Folder, Unreadable };
struct OpenResult {
  OpenOutcome outcome = OpenOutcome::Refused;
  OpenRefusal refusal = OpenRefusal::None;
  int index = -1;  // the document opened or selected
  QString reason;  // why it was refused, for the caller's message
};
struct OpenRequest {
  QString path;
  std::optional<RecentFileEntry> entry;  // caret, view, folds, bookmarks and fallback syntax
  bool missingAsEmpty = false;           // no file there: an empty document under the path
  bool replaceUnusedFirstTab = false;    // an unused first tab gives its place
  bool recordReplacedTab = false;        // ... and is closed with its recent entry
  bool fromList = false;                 // old "armite" names mended, no save time
};
// A path already open selects its tab (and is read again when it changed on
// disk and the document has no unsaved changes).
OpenResult OpenFileInTab(App& app, const OpenRequest& request);

// Opens an LF-separated list of files (or recent entries) as documents:
// the command line, drops, the control link's "/load". With
// `reportFailures`, one message lists what could not be opened and why.
void OpenDocumentList(App& app, const QString& lfList, bool reportFailures = false);
// The documents open at the last exit ("Open Files").
void OpenPreviousFiles(App& app);
// Records the open documents for the next start.
void RecordOpenFiles(App& app);
// Closes every document for the exit, asking about modified ones from the
// last tab to the first; false when the user cancelled (nothing is closed).
bool CloseAllForExit(App& app);
// Gives the keyboard focus to the current document's editor.
void FocusCurrentEditor(App& app);
// The same, with the editor's window made the active one: after a tool
// window closed or one of its entries was chosen, typing goes on there.
void ReturnToEditor(App& app);
// Shows the tab after (step 1) or before (step -1) the current one, round
// the ends (Item::NextTab, Item::PreviousTab).
void SelectNeighbourTab(App& app, int step);
// Mouse events of the tab bar (ControlId::TabBar).
void TabBarEvent(App& app, const Event& e);
// The control link's "/paste": a new tab with the clipboard text.
void PasteIntoNewDocument(App& app);

// Tabs.
// Creates a document and its tab for `path` and shows it; -1 when no editor
// is free ("Too many tabs open.") or the path is empty.
int CreateDocumentTab(App& app, const QString& path);
// Shows the document at `index` (making it current).
int ActivateDocumentTab(App& app, int index);
// Saves the view of `from`, parks its editor and shows `to`.
void SwitchDocumentTab(App& app, int to, int from);
// Records a named document in the recent list, removes it, shows a neighbour.
void CloseDocumentTab(App& app, int index);

}  // namespace vendle
