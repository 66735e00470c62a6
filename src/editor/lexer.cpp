// The tokenizer and the line loop of the own lexer.
#include "editor/lexer.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vendle {
namespace {

using Byte = unsigned char;

constexpr bool IsLineEnd(Byte c) { return c == '\r' || c == '\n'; }

// A style as a style byte; values the control cannot hold get the default.
constexpr int StyleByte(std::int64_t style) { return style >= 0 && style <= 255 ? static_cast<int>(style) : kStyleDefault; }

struct Scanned {
  std::size_t length;
  int style;
  int record;  // index in the word map, -1 for none
};

inline LexerNumber ScanNumber(const LexerTables& t, const Byte* p, std::size_t n) {
  std::size_t digits = 0;
  bool dot = false;
  bool hex = false;
  std::size_t amp = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const Byte c = p[i];
    if (c == '.') {
      if (dot) return {};
      dot = true;
    } else if (c == '&' && digits == 0) {
      hex = true;
      digits = 1;
      amp = i;
    } else if (c >= '0' && c <= '9') {
      ++digits;
    } else if ((c == 'E' || c == 'e') && digits >= 1) {
      ++digits;
    } else if (hex && ((c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'))) {
      ++digits;
    } else if (hex && i == amp + 1 && (c == 'H' || c == 'h' || c == 'O' || c == 'o')) {
      digits = 2;
    } else if (t.charClass(c) & (LexerTables::kBlank | LexerTables::kDelimiter)) {
      return {i, digits};
    } else {
      return {};
    }
  }
  return {n, digits};
}

constexpr std::array<Byte, 256> MakeLowerTable() {
  std::array<Byte, 256> t{};
  for (int c = 0; c < 256; ++c) t[c] = static_cast<Byte>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return t;
}
constexpr std::array<Byte, 256> kLower = MakeLowerTable();

// Eight ASCII bytes (each below 0x80) with A-Z made lower case.
constexpr std::uint64_t LowerAscii8(std::uint64_t x) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  const std::uint64_t atLeastA = x + kOnes * (0x80 - 'A');
  const std::uint64_t aboveZ = x + kOnes * (0x80 - 'Z' - 1);
  const std::uint64_t upper = atLeastA & ~aboveZ & (kOnes * 0x80);
  return x | (upper >> 2);
}

// The prefix word a lower-case word is, from its head (see KeyHead).
inline LexerPrefix PrefixOfHead(std::uint64_t head, std::size_t n) {
  constexpr auto kHead = [](const char (&w)[5]) {
    return std::bit_cast<std::uint64_t>(std::array<char, 8>{w[0], w[1], w[2], w[3], 0, 0, 0, 0});
  };
  constexpr std::uint64_t kEnd = kHead("end\0"), kExit = kHead("exit"), kLoop = kHead("loop");
  if (n == 3 && head == kEnd) return LexerPrefix::End;
  if (n == 4 && head == kExit) return LexerPrefix::Exit;
  if (n == 4 && head == kLoop) return LexerPrefix::Loop;
  return LexerPrefix::None;
}

// A delimited token (a string, say) from its opener `c` at `p[0]`: to the
// matching close byte, nested openers counted, or to the line end.
[[gnu::always_inline]] inline Scanned ScanDelimited(const Byte* p, std::size_t n, Byte c, Byte close, int style,
                                                    int rec) {
  std::size_t depth = 1;
  std::size_t i = 1;
  for (; i < n; ++i) {
    const Byte b = p[i];
    if (b == close && close != 0) {
      if (--depth == 0) return {i + 1, style, rec};
      // A closing line end that leaves the token open still ends its line.
      if (b == '\n' || (b == '\r' && (i + 1 == n || p[i + 1] != '\n'))) return {i + 1, style, rec};
    } else if (b == c) {
      ++depth;
    } else if (IsLineEnd(b)) {
      break;
    }
  }
  return {i, style, rec};
}

// A token that runs to its line end (a comment): the rest of the line without
// its line end, and at least the opener.
[[gnu::always_inline]] inline Scanned ScanToLineEnd(const Byte* p, std::size_t n, int style, int rec) {
  std::size_t len = 1;
  if (!IsLineEnd(p[0])) {
    const void* lf = std::memchr(p + 1, '\n', n - 1);
    len = lf ? static_cast<std::size_t>(static_cast<const Byte*>(lf) - p) : n;
    const void* cr = std::memchr(p + 1, '\r', len - 1);
    if (cr) len = static_cast<std::size_t>(static_cast<const Byte*>(cr) - p);
  }
  return {len, style, rec};
}

// A word from `p[0]` to the next blank or delimiter, looked up in the word
// table; a word that begins with a type prefix sets `prefix`. A word with
// WordToLineEnd runs on to its line end.
[[gnu::always_inline]] inline Scanned ScanWord(const LexerTables& t, const Byte* p, std::size_t n,
                                               LexerPrefix& prefix) {
  constexpr std::uint8_t kEnds = LexerTables::kBlank | LexerTables::kDelimiter;
  std::size_t i = 1;
  Byte high = p[0];
  while (i < n) {
    const Byte b = p[i];
    if (t.charClass(b) & kEnds) break;
    high |= b;
    ++i;
  }
  int rec;
  constexpr std::size_t kShort = 64;
  if (!(high & 0x80) && i <= kShort) {
    // ASCII: the head is lower-cased eight bytes at a time, the rest byte by byte.
    std::uint64_t head = 0;
    if (n >= 8) {
      std::memcpy(&head, p, 8);
      if (i < 8) {
        // Keep the word's bytes: the first ones in memory order.
        if constexpr (std::endian::native == std::endian::little) head &= (std::uint64_t{1} << (8 * i)) - 1;
        else head &= ~std::uint64_t{0} << (8 * (8 - i));
      }
    } else {
      std::memcpy(&head, p, i);
    }
    head = LowerAscii8(head);
    char low[kShort];
    for (std::size_t k = 8; k < i; ++k) low[k] = static_cast<char>(kLower[p[k]]);
    const LexerPrefix pf = PrefixOfHead(head, i);
    if (pf != LexerPrefix::None) prefix = pf;
    const std::size_t rest = i > 8 ? i - 8 : 0;
    rec = t.words().find(std::string_view(low, i), KeyHash(head, low + 8, rest, i), head);  // reads from byte 8 on
  } else {
    const std::string key = WordKey(std::string_view(reinterpret_cast<const char*>(p), i));
    const LexerPrefix pf = key.size() <= 8 ? PrefixOfHead(KeyHead(key), key.size()) : LexerPrefix::None;
    if (pf != LexerPrefix::None) prefix = pf;
    rec = t.words().find(key, WordHash(key));
  }
  if (rec < 0) return {i, kStyleDefault, -1};
  const LexerWordRecord& r = t.words().record(rec);
  // A whole word may open a comment too (REM): the rest of its line is the token.
  if (r.flags & WordToLineEnd) return ScanToLineEnd(p, n, StyleByte(r.style), rec);
  return {i, StyleByte(r.style), rec};
}

// One tokenizer step over the `n` > 0 bytes from `p` to the end of the
// text. No token runs past the end of its line: every scan stops at a line
// end, and a token that ends in one ends its line.
[[gnu::always_inline]] inline Scanned Scan(const LexerTables& t, const Byte* p, std::size_t n, LexerPrefix& prefix) {
  const Byte c = p[0];
  const std::uint8_t cls = t.charClass(c);
  if (cls & LexerTables::kBlank) {
    std::size_t i = 1;
    while (i < n && (p[i] == ' ' || p[i] == '\t')) ++i;
    return {i, kStyleDefault, -1};
  }
  if (cls & LexerTables::kDelimiter) {
    if (c == '.') {
      const LexerNumber num = ScanNumber(t, p, n);
      if (num.digits > 0) return {num.length, StyleByte(t.numberStyle()), -1};
    }
    const int rec = t.oneCharRecord(c);
    if (rec < 0) return {1, kStyleDefault, -1};
    const LexerWordRecord& r = t.words().record(rec);
    const int style = StyleByte(r.style);
    // The opener is the last byte of its line.
    if (n == 1 || c == '\n' || (c == '\r' && p[1] != '\n')) return {1, style, rec};
    if (r.flags & WordDelimited) return ScanDelimited(p, n, c, static_cast<Byte>(r.closeChar), style, rec);
    if (r.flags & WordToLineEnd) return ScanToLineEnd(p, n, style, rec);
    return {1, style, rec};
  }
  // Only these can start a number.
  if (c == '.' || c == '&' || (c >= '0' && c <= '9')) {
    const LexerNumber num = ScanNumber(t, p, n);
    if (num.length > 0) return {num.length, StyleByte(t.numberStyle()), -1};
  }
  return ScanWord(t, p, n, prefix);
}

// Short runs with two overlapping stores; most tokens are a few bytes.
inline void Fill(std::uint8_t* out, std::size_t n, int style) {
  if (n == 1) {
    *out = static_cast<std::uint8_t>(style);
    return;
  }
  const std::uint64_t v = 0x0101010101010101ull * static_cast<std::uint8_t>(style);
  if (n >= 8 && n <= 16) {
    std::memcpy(out, &v, 8);
    std::memcpy(out + n - 8, &v, 8);
  } else if (n >= 4 && n < 8) {
    std::memcpy(out, &v, 4);
    std::memcpy(out + n - 4, &v, 4);
  } else if (n < 4) {
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(style);
  } else {
    std::memset(out, style, n);
  }
}

struct LineRun {
  std::size_t length;  // bytes of the line, its line end included
  int level;
  LexerState end;
};

// Styles one line from `p` (`n` bytes to the end of the text) and applies
// the fold rules. The styles start out as the default style: only tokens of
// another style are written. With kOneLine the line ends at its first line end;
// otherwise every byte up to `n` belongs to it.
template <bool kOneLine>
[[gnu::always_inline]] inline LineRun RunLine(const LexerTables& t, const Byte* p, std::size_t n, LexerState start,
                                              std::uint8_t* styles) {
  const int level = ValidLexerState(start);
  const bool colour = (t.options() & LexColour) != 0;
  long long delta = 0;
  LexerPrefix prefix = LexerPrefix::None;
  std::size_t i = 0;
  while (i < n) {
    // The common one-byte and blank tokens first, as Scan would give them.
    const Byte c = p[i];
    const std::uint8_t cls = t.charClass(c);
    if (cls & LexerTables::kSingle) {
      ++i;
      if (kOneLine && (cls & LexerTables::kLineEnd) && (c == '\n' || i == n || p[i] != '\n')) break;
      continue;
    }
    if (cls & LexerTables::kBlank) {
      ++i;
      while (i < n && (p[i] == ' ' || p[i] == '\t')) ++i;
      continue;
    }
    const Scanned s = Scan(t, p + i, n - i, prefix);
    if (colour && s.style != kStyleDefault) Fill(styles + i, s.length, s.style);
    i += s.length;
    if (s.record >= 0) {
      const std::uint64_t f = t.words().record(s.record).flags;
      if ((f & WordClosesFold) && (level > kFoldBase || delta != 0) && prefix == LexerPrefix::End) {
        --delta;
        prefix = LexerPrefix::None;
      } else if ((f & WordOpensFold) && prefix == LexerPrefix::None) {
        ++delta;
      }
    }
    if (kOneLine) {
      const Byte last = p[i - 1];
      if (last == '\n' || (last == '\r' && (i == n || p[i] != '\n'))) break;
    }
  }
  LineRun out{i, 0, 0};
  if (t.options() & LexFold) out.level = level | (delta > 0 ? kFoldHeaderFlag : 0);
  out.end = static_cast<LexerState>(std::clamp<long long>(level + delta, kFoldBase, kFoldNumberMask));
  return out;
}

}  // namespace

LexerNumber LexerScanNumber(const LexerTables& tables, std::string_view text) {
  return ScanNumber(tables, reinterpret_cast<const Byte*>(text.data()), text.size());
}

LexerToken LexerScanToken(const LexerTables& tables, std::string_view text, LexerPrefix& prefix) {
  if (text.empty()) return {};
  const Scanned s = Scan(tables, reinterpret_cast<const Byte*>(text.data()), text.size(), prefix);
  return {s.length, s.style, s.record < 0 ? nullptr : &tables.words().record(s.record)};
}

std::size_t LexerLineLength(std::string_view text) {
  const auto* p = reinterpret_cast<const Byte*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && !IsLineEnd(p[i])) ++i;
  if (i == n) return n;
  return (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n') ? i + 2 : i + 1;
}

LexerLine LexLine(const LexerTables& tables, std::string_view line, LexerState start, std::uint8_t* styles) {
  if (!line.empty()) std::memset(styles, kStyleDefault, line.size());
  const LineRun r = RunLine<false>(tables, reinterpret_cast<const Byte*>(line.data()), line.size(), start, styles);
  return {r.level, r.end};
}

void LexText(const LexerTables& tables, std::string_view text, LexerState start, LexerOutput& out,
             bool documentStart) {
  const auto* p = reinterpret_cast<const Byte*>(text.data());
  const std::size_t n = text.size();
  out.styles.assign(n, kStyleDefault);
  out.levels.clear();
  out.ends.clear();
  LexerState state = ValidLexerState(start);
  std::size_t pos = 0;
  if (documentStart && text.starts_with("#!")) {
    pos = LexerLineLength(text);
    std::size_t body = pos;
    while (body > 0 && IsLineEnd(p[body - 1])) --body;
    if (tables.options() & LexColour) std::memset(out.styles.data(), kStyleComment, body);
    out.levels.push_back((tables.options() & LexFold) ? state : 0);
    out.ends.push_back(state);
    if (pos == n && !IsLineEnd(p[n - 1])) return;
  }
  for (;;) {
    const LineRun r = RunLine<true>(tables, p + pos, n - pos, state, out.styles.data() + pos);
    out.levels.push_back(r.level);
    out.ends.push_back(r.end);
    state = r.end;
    pos += r.length;
    // The line after the last line end is a line too, even when empty.
    if (r.length == 0 || !IsLineEnd(p[pos - 1])) break;
  }
}

}  // namespace vendle
