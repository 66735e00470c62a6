// Find and replace in the current document (WindowId::FindReplace, "Find"), the quick
// search for the selected word and the search through every open document,
// whose lines are listed in WindowId::FindAll, "Find All". Search and replacement
// texts are UTF-16; positions are the control's byte positions.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/ui/sci.h"

namespace vendle {

class App;
class EditorView;

// Search flags of the control.
inline constexpr int kFindWholeWord = QsciScintillaBase::SCFIND_WHOLEWORD;
inline constexpr int kFindMatchCase = QsciScintillaBase::SCFIND_MATCHCASE;

// Searches `editor` from its selection (forward from its end, backward from
// its start) and selects the match. A match whose first character is in a
// string (or a comment) is passed over while "Don't search in strings" (or
// comments) is set; the text is styled up to the match first. Returns the
// match position, or -1 for no match, an empty text or an empty document.
Sci::Pos FindInEditor(App& app, EditorView& editor, const QString& text, bool forward, int flags);

// Find Next (0) and Find Prev (-1) with the texts and options of WindowId::FindReplace,
// wrapping around the document once.
void FindNextMatch(App& app, int direction);
// Replaces every match in the current document as one undo step and reports
// the count in the message "Replace".
void ReplaceAll(App& app);
// Lists the lines of every open document holding the text of WindowId::FindReplace.
void FindAllInOpenFiles(App& app);
// Item::QuickFind (F11): the lines of the current document holding the selected word.
void QuickFindWord(App& app);
// Fills and shows WindowId::FindAll from the last results.
void ShowFindAllResults(App& app, bool lineNumbersOnly);
// Stores the options of WindowId::FindReplace, places the caret and closes the window.
void CloseFindWindow(App& app);

// The rows WindowId::FindAll shows (empty when it is closed).
QStringList FindAllRowsShown(App& app);

}  // namespace vendle
