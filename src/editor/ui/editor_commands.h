// The editing commands on the current document's editor: the entry points
// the dispatch routes menu items, shortcuts and toolbar buttons to. Each
// works on the document of the tab bar's selected tab, or on the editor that
// has the keyboard (a tool window's target), and does nothing without one.
#pragma once

namespace vendle {

class App;

void EditorClipboardCommand(App& app, int item);  // Item::Undo to Item::Paste: undo, redo, select all, cut, copy, paste
void InsertLineEnd(App& app);                     // Item::InsertLineEnd: Shift+Return
void ReturnKey(App& app);                         // Item::ReturnKey: Return with auto-indent
void PasteAsAscii(App& app);                      // Item::PasteAsAscii
void InsertFileCommand(App& app, bool fromStore);  // Item::InsertFile, Item::InsertFileFromStore
// Item::InsertFileFromStore with Shift held also makes the chosen file's folder the store folder.
void InsertFileCommand(App& app, bool fromStore, bool shiftHeld);
void InsertIncludeDirective(App& app);            // Item::InsertInclude
void PrefillCommand(App& app, int item);          // Item::PrefillStart to Item::CancelPrefill
void JoinLine(App& app);                          // Item::JoinLine
void InsertColour(App& app, int item);            // Item::ColourFirst to Item::ColourLast
void CommentLines(App& app, bool comment);        // Item::CommentLines, Item::UncommentLines

}  // namespace vendle
