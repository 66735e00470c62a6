// The own lexer as pure functions: the tables of one editor's lexer (word map,
// operator characters, number style, options) and the tokenizer that styles
// and folds whole lines of text. All text is the editor control's UTF-8
// bytes; lengths and offsets are byte counts.
//
// Cross-line state: the only thing one line hands to the next is its fold
// level, so the state at the start of a line (LexerState) is the fold level
// number of that line. Styling from any line start with the state the line
// before ended in gives the same styles and levels as one full pass.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/word_map.h"

namespace vendle {

// Style numbers of the editor.
inline constexpr int kStylePlain = 0;
inline constexpr int kStyleKeyword = 1;
inline constexpr int kStyleComment = 2;
inline constexpr int kStyleString = 3;
inline constexpr int kStyleNumber = 4;
inline constexpr int kStyleUserVariable = 5;
inline constexpr int kStyleUserSub = 6;
inline constexpr int kStyleSpare = 7;
inline constexpr int kStyleDefault = 32;
inline constexpr int kStyleLineNumber = 33;
inline constexpr int kStyleIndentGuide = 37;

// Fold levels in the editor control's encoding.
inline constexpr int kFoldBase = 1024;         // the outermost level
inline constexpr int kFoldNumberMask = 0xFFF;  // the level number; also its cap
inline constexpr int kFoldHeaderFlag = 0x2000;

// The option word of a lexer.
enum LexerOptionBit : std::uint64_t {
  LexColour = 0x1,        // tokens get their word's style, else style 32
  LexAutoComplete = 0x2,  // typing and deleting update the autocompletion
  LexFold = 0x4,          // fold levels are computed, else every line gets 0
};
inline constexpr std::uint64_t kLexOptionsInitial = 5;     // a new or freed editor
inline constexpr std::uint64_t kLexOptionsConfigured = 7;  // a configured editor
// Option bits whose change alters the styles or levels of the text.
inline constexpr std::uint64_t kLexOptionsRestyleMask = LexColour | LexFold;
inline constexpr int kAutoCompleteMinLength = 3;

// The last prefix word seen on the line being styled.
enum class LexerPrefix : std::uint8_t { None = 0, End = 1, Exit = 2, Loop = 3 };

// The state at the start of a line: its fold level number, kFoldBase..0xFFF.
using LexerState = int;
inline constexpr LexerState kLexerStateInitial = kFoldBase;
// A stored state read back from the editor; anything out of range is the initial state.
constexpr LexerState ValidLexerState(long long v) {
  return v >= kFoldBase && v <= kFoldNumberMask ? static_cast<LexerState>(v) : kLexerStateInitial;
}

class LexerTables {
 public:
  LexerTables();

  // Registers each blank-separated word of `words` (see WordMap::add);
  // returns the number of words handled, 0 for an empty list.
  int addWords(std::string_view words, std::int64_t style, std::uint64_t flags);
  // addWords, then, when something was added, both texts are not empty and
  // the flags have WordDelimited, the record of `openers` taken as one word
  // (when there is one) gets the first byte of `closer` as CloseChar.
  int addDelimited(std::string_view openers, std::string_view closer, std::uint64_t flags, std::int64_t style);
  // Removes the listed words; an empty list clears the whole map.
  void removeWords(std::string_view words);

  // Each returns whether the stored value changed.
  bool setOperatorChars(std::string_view chars);  // ASCII characters count; others are ignored
  bool setNumberStyle(std::int64_t style);
  bool setOptions(std::uint64_t options);

  // The record of a word in any case (trimmed first), or null.
  const LexerWordRecord* lookupWord(std::string_view word) const;

  const WordMap& words() const { return words_; }
  const std::string& operatorChars() const { return operatorChars_; }
  std::int64_t numberStyle() const { return numberStyle_; }
  std::uint64_t options() const { return options_; }

  // For the tokenizer: the class bits of a byte and the record index of the
  // one-character word it forms (-1 without one).
  enum CharClass : std::uint8_t {
    kBlank = 0x1,      // blank or tab
    kDelimiter = 0x2,  // ends words, forms tokens of its own
    kSingle = 0x4,     // always a one-byte token of the default style (a delimiter without record)
    kLineEnd = 0x8,    // CR or LF
  };
  std::uint8_t charClass(unsigned char c) const { return class_[c]; }
  int oneCharRecord(unsigned char c) const { return oneChar_[c]; }

 private:
  void rebuildClasses();

  WordMap words_;
  std::string operatorChars_;
  std::int64_t numberStyle_ = kStyleDefault;
  std::uint64_t options_ = kLexOptionsInitial;
  std::array<std::uint8_t, 256> class_{};
  std::array<std::int32_t, 256> oneChar_{};
};

// LexerLookupChar: whether byte `c` ends words and forms tokens of its own,
// and the record of the one-character word it forms (or null).
struct LexerCharInfo {
  bool delimiter = false;
  const LexerWordRecord* record = nullptr;
};
LexerCharInfo LexerLookupChar(const LexerTables& tables, unsigned char c);

// LexerScanNumber: the length of the number at the start of `text` (0 when
// the text does not start with one) and the count of its digits.
struct LexerNumber {
  std::size_t length = 0;
  std::size_t digits = 0;
};
LexerNumber LexerScanNumber(const LexerTables& tables, std::string_view text);

// LexerScanToken in measuring mode: the token at the start of `text` (one
// line, at most), its style and record. The prefix state follows the words;
// nothing is styled and no fold state changes. A token is at least one byte
// for non-empty text.
struct LexerToken {
  std::size_t length = 0;
  int style = kStyleDefault;
  const LexerWordRecord* record = nullptr;
};
LexerToken LexerScanToken(const LexerTables& tables, std::string_view text, LexerPrefix& prefix);

// The length of the first line of `text`, its line end (CR, LF or CR LF) included.
std::size_t LexerLineLength(std::string_view text);

// One line, its line end included: writes the style of each of its bytes to
// `styles` and returns its fold level and the state the next line starts in.
struct LexerLine {
  int level = 0;
  LexerState end = kLexerStateInitial;
};
LexerLine LexLine(const LexerTables& tables, std::string_view line, LexerState start, std::uint8_t* styles);

// A run of whole lines from the state `start`: as many lines as the text has
// line ends, plus one (the text after the last line end, maybe empty). The
// vectors are reused between calls. With `documentStart` the text begins at
// the document's first byte: a first line starting with "#!" (the line that
// names the interpreter of a script) is a comment and opens no fold.
struct LexerOutput {
  std::vector<std::uint8_t> styles;  // one per byte
  std::vector<int> levels;           // one per line
  std::vector<LexerState> ends;      // the state after each line
};
void LexText(const LexerTables& tables, std::string_view text, LexerState start, LexerOutput& out,
             bool documentStart = false);

}  // namespace vendle
