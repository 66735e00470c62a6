// The editing commands on the current document's editor.
#pragma once

namespace vendle {

class App;

void EditorClipboardCommand(App& app, int item);  // items 114..119: undo, redo, select all, cut, copy, paste
void InsertLineEnd(App& app);                     // item 120: Shift+Return
void ReturnKey(App& app);                         // item 294: Return with auto-indent
void PasteAsAscii(App& app);                      // item 121
void InsertFileCommand(App& app, bool fromStore);  // items 122, 123
// Item 123 with Shift held also makes the chosen file's folder the store folder.
void InsertFileCommand(App& app, bool fromStore, bool shiftHeld);
void InsertIncludeDirective(App& app);            // item 124
void PrefillCommand(App& app, int item);          // items 128..130
void JoinLine(App& app);                          // item 112
void InsertColour(App& app, int item);            // items 133..157
void CommentLines(App& app, bool comment);        // items 166, 167

}  // namespace vendle
