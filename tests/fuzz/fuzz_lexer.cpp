// Fuzzes the lexer: the input sets up a word map and gives the text. The
// lexer must end, give one style per byte and one level per line, keep the
// levels inside their bits, give the same result line by line as for the
// whole text, and agree with a plain token-by-token pass.
//
// Input: byte 0 = length n of the set-up; bytes 1..n the set-up lines; the
// rest the text. A set-up line "o<chars>" sets the operator characters;
// "w<style><flag bits><closer><words>" registers words (flag bits: 1 delimited,
// 2 to line end, 4 opens fold, 8 closes fold, 16 autocompletion); "r<words>"
// removes words; "x<options>" sets the option byte.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editor/lexer.h"
#include "fuzz_check.h"

using namespace vendle;

namespace {

void SetUp(LexerTables& t, std::string_view setup) {
  std::size_t pos = 0;
  while (pos < setup.size()) {
    std::size_t end = setup.find('\n', pos);
    if (end == std::string_view::npos) end = setup.size();
    const std::string_view line = setup.substr(pos, end - pos);
    pos = end + 1;
    if (line.empty()) continue;
    const std::string_view rest = line.substr(1);
    switch (line[0]) {
      case 'o':
        t.setOperatorChars(rest);
        break;
      case 'w': {
        if (rest.size() < 3) break;
        const auto bits = static_cast<unsigned char>(rest[1]);
        std::uint64_t flags = 0;
        if (bits & 1) flags |= WordDelimited;
        if (bits & 2) flags |= WordToLineEnd;
        if (bits & 4) flags |= WordOpensFold;
        if (bits & 8) flags |= WordClosesFold;
        if (bits & 16) flags |= WordAutoComplete;
        t.addDelimited(rest.substr(3), rest.substr(2, 1), flags, static_cast<signed char>(rest[0]));
        break;
      }
      case 'r':
        t.removeWords(rest);
        break;
      case 'x':
        if (!rest.empty()) t.setOptions(static_cast<unsigned char>(rest[0]));
        break;
      default:
        break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t n = std::min<std::size_t>(data[0], size - 1);
  const std::string_view setup(reinterpret_cast<const char*>(data + 1), n);
  const std::string_view text(reinterpret_cast<const char*>(data + 1 + n), size - 1 - n);

  LexerTables t;
  t.setOptions(kLexOptionsConfigured);
  t.setNumberStyle(kStyleNumber);
  SetUp(t, setup);

  LexerOutput full;
  LexText(t, text, kLexerStateInitial, full);
  Check(full.styles.size() == text.size());
  Check(full.levels.size() == full.ends.size() && !full.levels.empty());

  // Line by line, from the state the line before ended in, and token by token.
  std::size_t pos = 0;
  LexerState state = kLexerStateInitial;
  std::string styles(text.size(), '\0');
  for (std::size_t line = 0; line < full.levels.size(); ++line) {
    Check(pos <= text.size());
    const std::size_t len = LexerLineLength(text.substr(pos));
    const std::string_view body = text.substr(pos, len);
    const LexerLine l = LexLine(t, body, state, reinterpret_cast<std::uint8_t*>(styles.data() + pos));
    Check(l.level == full.levels[line] && l.end == full.ends[line]);
    Check((l.level & ~(kFoldNumberMask | kFoldHeaderFlag)) == 0);
    Check(l.end >= kFoldBase && l.end <= kFoldNumberMask);
    // The same line token by token, with the fold rules applied here.
    LexerPrefix prefix = LexerPrefix::None;
    long long delta = 0;
    for (std::size_t off = 0; off < body.size();) {
      const LexerToken tok = LexerScanToken(t, body.substr(off), prefix);
      Check(tok.length >= 1 && tok.length <= body.size() - off);
      const int style = (t.options() & LexColour) ? tok.style : kStyleDefault;
      for (std::size_t i = 0; i < tok.length; ++i) Check(full.styles[pos + off + i] == style);
      if (tok.record) {
        const std::uint64_t f = tok.record->flags;
        if ((f & WordClosesFold) && (state > kFoldBase || delta != 0) && prefix == LexerPrefix::End) {
          --delta;
          prefix = LexerPrefix::None;
        } else if ((f & WordOpensFold) && prefix == LexerPrefix::None) {
          ++delta;
        }
      }
      off += tok.length;
    }
    const int level = (t.options() & LexFold) ? (state | (delta > 0 ? kFoldHeaderFlag : 0)) : 0;
    Check(l.level == level);
    Check(l.end == std::clamp<long long>(state + delta, kFoldBase, kFoldNumberMask));
    state = l.end;
    pos += len;
  }
  Check(pos == text.size());
  Check(std::string_view(styles) ==
        std::string_view(reinterpret_cast<const char*>(full.styles.data()), full.styles.size()));
  return 0;
}
