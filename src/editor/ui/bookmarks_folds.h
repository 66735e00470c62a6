// Bookmarks, fold state and navigation.
#pragma once

namespace vendle {

class App;

void FoldAllCommand(App& app);        // item 199
void UnfoldAllCommand(App& app);      // item 200
void RecomputeFoldedLines(App& app);  // item 201, F9
void ToggleBookmark(App& app);        // item 202
void PreviousBookmark(App& app);      // item 203
void NextBookmark(App& app);          // item 204
void ClearAllBookmarks(App& app);     // item 205
void GotoLineCommand(App& app);       // item 206
void ReturnFromSub(App& app);         // item 208

}  // namespace vendle

namespace vendle {
// Collects the fold state and the bookmarks of the document at `index` into
// its record; with `markers` (and "Save folding in BAS file" on) for the
// in-text markers of a save.
void CollectFoldState(App& app, int index, bool markers);
}  // namespace vendle
