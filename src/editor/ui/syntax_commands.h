// Device syntaxes: loading the syntax and keyword files, and the Syntax menu.
#pragma once

#include <QString>
#include <cstdint>

namespace vendle {

class App;
class EditorView;

void LoadSyntaxFiles(App& app);
void LoadKeywordFiles(App& app);
void ToggleIncludeParameters(App& app);     // Item::IncludeParameters
void ApplySyntaxItem(App& app, int item);   // Item::SyntaxFirst to Item::SyntaxLast
void SetCurrentSyntaxAsDefault(App& app);   // Item::SetSyntaxAsDefault
void CleanupLabelsCommand(App& app);        // Item::CleanupLabels
// Every use of a user name takes the case of its declaration (not in
// comments and strings); one undo step.
void NormaliseIdentifierCase(App& app);

// The current document's user sub and variable names from a scan of `text`
// that leaves its editor alone (undo history and saved state stay), and the
// document's own syntax applied with them.
void ApplyDeclaredNames(App& app, const QString& text);

// LexerAddWords, then restyles when `restyle` is set and something was added.
int LexerAddWordsAndRestyle(EditorView& editor, const QString& words, std::int64_t style, std::uint64_t flags,
                            bool restyle);

// Makes SyntaxList entry `index` current and applies it to the current
// document's editor with the user sub and variable names (empty lists mean
// the document's own). With `byMenu`, `index` is a Syntax menu position.
void ApplySyntax(App& app, int index, const QString& userSubs, const QString& userVariables, bool byMenu);
// The index of a syntax by name; the last one when the name is not found.
int FindSyntaxIndexFor(App& app, const QString& name);
// The keyword list (" w1 w2 ... ") of the dialect of document `index`, with
// the user keywords, parameters and multi-words as the settings say: the
// keywords every command reads, never those of the syntax applied last.
QString DocumentKeywords(App& app, int index);
}  // namespace vendle
