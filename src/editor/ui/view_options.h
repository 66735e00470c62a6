// The view options and appearance commands of the editors.
#pragma once

namespace vendle {

class App;

void SetLineEndMode(App& app, int mode);   // items 175 (0, CR LF) and 176 (1, LF)
void SetFontSizeItem(App& app, int item);  // items 179..182: sizes 10, 12, 14, 16
void ViewToggle(App& app, int item);       // items 188..194, 196
void SaveKeywordCase(App& app);            // item 198

// The editor font size of a Font menu item: 2 x item - 348.
constexpr int FontSizeForItem(int item) { return 2 * item - 348; }

}  // namespace vendle

namespace vendle {
class EditorView;
// The editor settings applied to one editor or to all of them.
void SetEditorFontSize(App& app, int size);    // every editor
void SetEditorFont(App& app, EditorView& editor);
void SetEditorTabs(App& app, EditorView& editor);
void ApplyEditorColours(App& app, EditorView& editor);
}  // namespace vendle

namespace vendle {
// The editor settings of a document's editor (font, case, tabs, view options).
void ApplyEditorSettings(App& app, EditorView& editor);
// An editor that is shown gets its wrap mode; a parked one has wrapping off
// (a hidden editor with wrapping lays out its whole text for nothing).
void PrepareShownEditor(App& app, EditorView& editor);
void PrepareParkedEditor(App& app, EditorView& editor);
}  // namespace vendle
