// The tokenizer and the line loop of the own lexer.
#include "editor/lexer.h"

#include <algorithm>
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

constexpr LexerPrefix PrefixOf(const char* key, std::size_t n) {
  if (n == 3 && key[0] == 'e' && key[1] == 'n' && key[2] == 'd') return LexerPrefix::End;
  if (n == 4 && std::string_view(key, 4) == "exit") return LexerPrefix::Exit;
  if (n == 4 && std::string_view(key, 4) == "loop") return LexerPrefix::Loop;
  return LexerPrefix::None;
}

// One tokenizer step over `n` > 0 bytes of one line.
inline Scanned Scan(const LexerTables& t, const Byte* p, std::size_t n, LexerPrefix& prefix) {
  constexpr std::uint8_t kEnds = LexerTables::kBlank | LexerTables::kDelimiter;
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
    if (n == 1) return {1, style, rec};
    if (r.flags & WordDelimited) {
      const Byte close = static_cast<Byte>(r.closeChar);
      std::size_t depth = 1;
      std::size_t i = 1;
      for (; i < n; ++i) {
        const Byte b = p[i];
        if (b == close && close != 0) {
          if (--depth == 0) return {i + 1, style, rec};
        } else if (b == c) {
          ++depth;
        } else if (IsLineEnd(b)) {
          break;
        }
      }
      return {i, style, rec};
    }
    if (r.flags & WordToLineEnd) {
      std::size_t len = n;
      while (len > 0 && IsLineEnd(p[len - 1])) --len;
      return {std::max<std::size_t>(len, 1), style, rec};
    }
    return {1, style, rec};
  }
  const LexerNumber num = ScanNumber(t, p, n);
  if (num.length > 0) return {num.length, StyleByte(t.numberStyle()), -1};

  // A word: lower-cased and hashed as it is read.
  constexpr std::size_t kShort = 64;
  char low[kShort];
  std::uint32_t hash = kWordHashSeed;
  Byte high = 0;
  std::size_t i = 0;
  for (; i < n; ++i) {
    const Byte b = p[i];
    if (t.charClass(b) & kEnds) break;
    high |= b;
    const Byte l = kLower[b];
    if (i < kShort) low[i] = static_cast<char>(l);
    hash = WordHashStep(hash, l);
  }
  int rec;
  if (!(high & 0x80) && i <= kShort) {
    const LexerPrefix pf = PrefixOf(low, i);
    if (pf != LexerPrefix::None) prefix = pf;
    rec = t.words().find(std::string_view(low, i), hash);
  } else {
    const std::string key = WordKey(std::string_view(reinterpret_cast<const char*>(p), i));
    const LexerPrefix pf = PrefixOf(key.data(), key.size());
    if (pf != LexerPrefix::None) prefix = pf;
    rec = t.words().find(key, WordHash(key));
  }
  return {i, rec < 0 ? kStyleDefault : StyleByte(t.words().record(rec).style), rec};
}

inline void Fill(std::uint8_t* out, std::size_t n, int style) {
  if (n <= 8) {
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>(style);
  } else {
    std::memset(out, style, n);
  }
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
  const auto* p = reinterpret_cast<const Byte*>(line.data());
  const std::size_t n = line.size();
  const int level = ValidLexerState(start);
  const bool colour = (tables.options() & LexColour) != 0;
  long long delta = 0;
  LexerPrefix prefix = LexerPrefix::None;
  for (std::size_t i = 0; i < n;) {
    const Scanned s = Scan(tables, p + i, n - i, prefix);
    Fill(styles + i, s.length, colour ? s.style : kStyleDefault);
    i += s.length;
    if (s.record < 0) continue;
    const std::uint64_t f = tables.words().record(s.record).flags;
    if ((f & WordClosesFold) && (level > kFoldBase || delta != 0) && prefix == LexerPrefix::End) {
      --delta;
      prefix = LexerPrefix::None;
    } else if ((f & WordOpensFold) && prefix == LexerPrefix::None) {
      ++delta;
    }
  }
  LexerLine out;
  if (tables.options() & LexFold) out.level = level | (delta > 0 ? kFoldHeaderFlag : 0);
  out.end = static_cast<LexerState>(std::clamp<long long>(level + delta, kFoldBase, kFoldNumberMask));
  return out;
}

void LexText(const LexerTables& tables, std::string_view text, LexerState start, LexerOutput& out) {
  out.styles.resize(text.size());
  out.levels.clear();
  out.ends.clear();
  LexerState state = ValidLexerState(start);
  std::size_t pos = 0;
  for (;;) {
    const std::size_t len = LexerLineLength(text.substr(pos));
    const LexerLine l = LexLine(tables, text.substr(pos, len), state, out.styles.data() + pos);
    out.levels.push_back(l.level);
    out.ends.push_back(l.end);
    state = l.end;
    const bool hadEnd = len > 0 && IsLineEnd(static_cast<Byte>(text[pos + len - 1]));
    pos += len;
    if (!hadEnd) break;
  }
}

}  // namespace vendle
