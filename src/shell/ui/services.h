// What every command may use of the running application, in one place: the
// current document, the status bar fields, the timed command, the debug log,
// the menu items' texts and check marks, and the recent list. Each stays
// implemented where it lives (documents/ui, shell/ui); a command of any
// subsystem includes this header instead of those internals, so the
// services sit below every ui half and know none of them. Texts are UTF-16.
#pragma once

#include <QString>
#include <QtGlobal>

#include "shell/layout.h"

namespace vendle {

class App;
class EditorView;
struct DocumentRecord;

// The current document: its index in the document list, its record and its
// editor together. All empty (index -1, null pointers) when no document is
// open; valid until the next command changes the documents.
struct CurrentDocument {
  int index = -1;
  DocumentRecord* record = nullptr;
  EditorView* editor = nullptr;

  explicit operator bool() const { return record != nullptr && editor != nullptr; }
};
CurrentDocument GetCurrentDocument(App& app);
// The current document's editor, or null when there is none.
EditorView* CurrentEditor(App& app);
// Makes the document of the tab bar's selected item current; its index or -1.
int MakeSelectedDocumentCurrent(App& app);
// The editor of the document at `index`, or null.
EditorView* EditorOfDocument(App& app, int index);
// Saves caret, modified state and first visible line of the document at `index`.
void SaveDocumentView(App& app, int index);
// Saves the view of `from`, parks its editor and shows `to`.
void SwitchDocumentTab(App& app, int to, int from);
// Gives the keyboard focus to the current document's editor.
void FocusCurrentEditor(App& app);
// The same, with the editor's window made the active one: after a tool
// window closed or one of its entries was chosen, typing goes on there.
void ReturnToEditor(App& app);

// The layout of the main window's inner area now (where the shown editor
// stands); all zero before the window is built.
MainLayout CurrentMainLayout(App& app);

// The four fields of the main window's status bar.
enum class StatusField : int {
  Elapsed = 0,    // the milliseconds of the last timed command
  FileState = 1,  // lines, bytes and the saved state
  Syntax = 2,     // the current document's syntax
  Path = 3,       // the current document's path
};
void SetStatusField(App& app, StatusField field, const QString& text);
// Status field 1 for editor `control`: lines, bytes and the saved state.
void UpdateFileStatus(App& app, int control);
QString StatusFieldText(App& app, StatusField field);
// Old form, the field by its number; same effect.
void SetStatusField(App& app, int field, const QString& text);

// A long command: constructed when it starts, it writes its elapsed
// milliseconds + "mS" into the elapsed-time field when it goes out of scope.
class TimedCommand {
 public:
  explicit TimedCommand(App& app);
  ~TimedCommand();
  TimedCommand(const TimedCommand&) = delete;
  TimedCommand& operator=(const TimedCommand&) = delete;

 private:
  App& app_;
};
// The stopwatch behind TimedCommand: 0 or -1 start slot 1, -2 start slot 2;
// 1 or 2 write the milliseconds since that slot + "mS" into the elapsed-time
// field. Returns the running clock.
qint64 MarkTime(App& app, int selector);

// With "Debug mode" set, adds a line to the information window: appended
// when it is open (without raising it), else it opens with this line alone.
// Callable from any thread: lines of other threads reach the window on the
// GUI thread, in the order they were logged.
void DebugLog(App& app, const QString& line);

// The text of every menu action of `item` (MenuId::Main and the editor popup; the
// toolbar keeps its own words) and its check mark. Texts are shown literally
// ("&" is no mnemonic).
void SetItemText(App& app, int item, const QString& text);
QString ItemText(App& app, int item);
void SetItemChecked(App& app, int item, bool checked);
bool ItemChecked(App& app, int item);
// The tooltip of a toolbar button.
void SetItemToolTip(App& app, int item, const QString& text);
QString ItemToolTip(App& app, int item);

// Builds MenuId::Main on WindowId::Main from scratch, retiring the menus it had; the
// Recent and External resources items are labelled at once, the check marks
// follow the settings, and toolbar Item::RunDefaultExternal gets the default external
// program's menu text as tooltip.
void BuildMainMenu(App& app);

// Puts a RecentFileEntry line at the top of the recent list and relabels the
// Recent items.
void AddRecentFile(App& app, const QString& entry);

// The information window.
// Shows `text` in the information window, opening it when needed; an open
// window has its text replaced, is restored from minimised and activated.
void ShowInfoText(App& app, const QString& text);
// Shows a text file (up to its first zero byte) in the information window.
// An empty path or a file that cannot be read shows nothing.
void ShowFileInInfoWindow(App& app, const QString& path);
// The text of the information window's text control, or an empty text when the window is not open.
QString InfoWindowText(App& app);

}  // namespace vendle
