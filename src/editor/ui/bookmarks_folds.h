// Bookmarks (marker 0), fold state and navigation on the documents' editors.
// Line numbers: bookmarks are 0-based, folded lines 1-based.
#pragma once

#include <QList>
#include <QString>

namespace vendle {

class App;
class EditorView;

void FoldAllCommand(App& app);        // Item::FoldAll
void UnfoldAllCommand(App& app);      // Item::UnfoldAll: expands, then contracts
void RecomputeFoldedLines(App& app);  // Item::RecomputeFolds, F9
void ToggleBookmark(App& app);        // Item::ToggleBookmark
void PreviousBookmark(App& app);      // Item::PreviousBookmark, wraps to the last
void NextBookmark(App& app);          // Item::NextBookmark, wraps to the first
void ClearAllBookmarks(App& app);     // Item::ClearAllBookmarks
void GotoLineCommand(App& app);       // Item::GotoLine
void ReturnFromSub(App& app);         // Item::ReturnFromSub

// The document lines of the fold headers that are collapsed.
QList<int> CollapsedHeaders(EditorView& editor);

// The bookmarked lines of an editor, from the top.
QList<int> BookmarkedLines(EditorView& editor);
// Puts marker 0 on exactly these lines.
void SetBookmarkMarkers(EditorView& editor, const QList<int>& lines);

// Collects the bookmarks and the fold state of the document at `index` into
// its record (Bookmarks, FoldedLines, FoldedSubNames, caret, first line).
void CollectFoldState(App& app, int index);
// FoldedSubNames from FoldedLines, with every fold expanded first.
void RememberFoldedSubNames(App& app, int index);
// Puts back caret, first visible line and folds of the document at `index`;
// returns the number of fold entries processed.
int RestoreDocumentView(App& app, int index);

// Fold names as the recomputation reads them: " name " for each folded header.
QString FoldedSubNamesOf(const QString& text, const QList<int>& foldedLines);
// The 1-based lines of the headers whose names are in `foldedSubNames`.
QList<int> RecomputeFoldedLinesOf(const QString& text, const QString& foldedSubNames);

}  // namespace vendle
