// The pure side of autocompletion and the syntax hints: the word being
// typed, the list offered for it, the clean-up of a chosen entry, and which
// hints the hint window lists. Lines and words handed to the control's lists
// are UTF-8 bytes (std::string_view / std::string); hint texts are UTF-16.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/lexer.h"
#include "editor/syntax_data.h"

namespace vendle {

// The token of `line` (UTF-8, the caret's line) that reaches byte offset
// `caret`, measured with the lexer's tokenizer from the line's start.
struct TypedWord {
  std::size_t start = 0;
  std::size_t length = 0;
  bool atCaret = false;  // the token ends exactly at the caret
};
std::optional<TypedWord> TypedWordAt(const LexerTables& tables, std::string_view line, std::size_t caret);

// The blank-separated list offered for `typed`: the Word of every record
// with WordAutoComplete that starts with `typed` (ASCII letters compared
// ignoring case, as the control does), in record order. None when `typed` is
// shorter than kAutoCompleteMinLength, nothing matches, or the only entry is
// the typed word itself.
std::optional<std::string> CompletionList(const std::vector<LexerWordRecord>& records, std::string_view typed);

// A chosen entry as it goes into the program: a leading "~" dropped, "(~"
// made "(", every other "~" a blank.
QString CleanCompletion(const QString& entry);

// The word the hint window looks for: trimmed, lower case, without CR and LF,
// at most 3 characters; "?" or "/" at its start lists the GUI element lines.
struct HintRequest {
  QString word;
  bool listAll = false;
};
HintRequest HintWordOf(const QString& raw);

// The hints for `word` under the dialect's mask (0: every dialect): those
// whose first characters equal the word ignoring case, all for an empty
// word, and the "TEXT..." lines for "gui".
QStringList FilterHints(const std::vector<QuickHint>& hints, std::uint64_t hintMask, const QString& word);

// The range F12 takes for the word at the caret, from the control's word
// start and end `s`, `e`. Positions are bytes of the document; `line` is the
// caret's line without its line end, starting at `lineStart`. Everything is
// kept within the line; a "." in the word (or right before it) keeps the two
// characters before the dot, for "MM." names.
struct ByteRange {
  std::intptr_t start = 0;
  std::intptr_t end = 0;
  friend bool operator==(const ByteRange&, const ByteRange&) = default;
};
ByteRange HintSelection(std::string_view line, std::intptr_t lineStart, std::intptr_t s, std::intptr_t e);

// What a click on a hint inserts: the item, and in the GUI element mode a
// line end after it (the document's own, `eol`).
QString HintInsertText(const QString& item, bool guiLines, const QString& eol);

}  // namespace vendle
