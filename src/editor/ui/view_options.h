// The view options and appearance commands of the editors: the colour,
// font, tab and view settings applied to editor controls, and the View and
// Font menu items. Font names are UTF-16 QStrings.
#pragma once

#include <QString>

namespace vendle {

class App;
class EditorView;

void SetLineEndMode(App& app, int mode);   // Item::DosLineEndings (0, CR LF) and Item::UnixLineEndings (1, LF)
void SetFontSizeItem(App& app, int item);  // Item::FontSmall to Item::FontBiggest: sizes 10, 12, 14, 16
void ViewToggle(App& app, int item);       // Item::SyntaxColouring to Item::ShowColumn, Item::PhysicalLineNumbers
void SaveKeywordCase(App& app);            // Item::SaveKeywordCase

// The editor font size of a Font menu item: 2 x item - 348.
constexpr int FontSizeForItem(int item) { return 2 * item - 348; }

// Item::FontSmall to Item::FontBiggest: checks the size's item (10, 12, 14, 16; any other size
// becomes 12), stores "Font size" and applies the settings to the current
// document's editor.
void SetEditorFontSize(App& app, int size);
// "Font name" at "Font size" for the default style, then every style reset
// to it (which clears their colours: ApplyEditorColours must follow).
void SetEditorFont(App& app, EditorView& editor);
// Tab width and indent from "Tabsize" (below 1 counts as 1), tabs or
// blanks from "Use spaces for tabs".
void SetEditorTabs(App& app, EditorView& editor);
// The colour settings on styles, selection, caret line, margins and markers.
void ApplyEditorColours(App& app, EditorView& editor);

// One style's font (when `fontName` is not empty), size (unless -1) and,
// unless `flags` is -1, bold (256), italic (512), underline (4, without 512).
void SetEditorStyle(EditorView& editor, int style, const QString& fontName, int size, int flags);
// Margin 0 of the current document's editor as the line-number margin, or
// hidden; check mark of Item::PhysicalLineNumbers.
void SetLineNumbersShown(App& app, bool on);
// A line-number margin as wide as the largest line number of the text, in
// the margin's own font (its digits, and 10 pixels); the margin follows the
// line count once attached.
void FitLineNumberMargin(EditorView& editor);
void AttachLineNumberMargin(EditorView& editor);
// The keyword case mode on every editor's keyword style; text and check
// mark of Item::CapitalizeKeywords.
void ApplyKeywordCase(App& app);
// Stores "Line_endings_Mode" and converts the current document's line ends
// to it; check marks of Item::DosLineEndings and Item::UnixLineEndings.
void SetLineEndingMode(App& app, int mode);
// Writes the displayed keyword case `mode` into the text of `editor`: only
// the letters whose case differs are replaced, in one undo step, so markers,
// folds, the caret and the view stay. True when the text changed.
bool WriteKeywordCase(EditorView& editor, int mode);
// The editor settings of a document's editor (font, case, tabs, view options).
void ApplyEditorSettings(App& app, EditorView& editor);
// An editor that is shown gets its wrap mode; a parked one has wrapping off
// (a hidden editor with wrapping lays out its whole text for nothing).
void PrepareShownEditor(App& app, EditorView& editor);
void PrepareParkedEditor(App& app, EditorView& editor);
}  // namespace vendle
