// Properties of the pure lexer on generated programs: styling in random
// chunks of lines, from any line start, line by line and as a whole file
// gives the same styles and levels, with LF, CR LF and CR line ends alike.
#include <gtest/gtest.h>

#include <random>

#include "lexer_test_support.h"

namespace vendle {
namespace {

using namespace lexer_test;

// Byte offsets of the line starts of `text`, one per line the lexer sees.
std::vector<std::size_t> LineStarts(const std::string& text) {
  std::vector<std::size_t> starts{0};
  std::size_t pos = 0;
  for (;;) {
    const std::size_t len = LexerLineLength(std::string_view(text).substr(pos));
    const bool lineEnd = len > 0 && (text[pos + len - 1] == '\n' || text[pos + len - 1] == '\r');
    pos += len;
    if (!lineEnd) break;
    starts.push_back(pos);
  }
  return starts;
}

// Styles lines [first, last] into `into`, starting from the state stored for the line before.
void LexChunk(const LexerTables& t, const std::string& text, const std::vector<std::size_t>& starts,
              std::size_t first, std::size_t last, LexerOutput& into) {
  const std::size_t from = starts[first];
  const std::size_t to = last + 1 < starts.size() ? starts[last + 1] : text.size();
  const LexerState state = first == 0 ? kLexerStateInitial : into.ends[first - 1];
  LexerOutput part;
  LexText(t, std::string_view(text).substr(from, to - from), state, part);
  std::copy(part.styles.begin(), part.styles.end(), into.styles.begin() + from);
  for (std::size_t i = 0; i <= last - first; ++i) {
    into.levels[first + i] = part.levels[i];
    into.ends[first + i] = part.ends[i];
  }
}

TEST(LexerProperty, RandomChunksAndRestartsEqualOneFullPass) {
  const LexerTables t = TestTables();
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    const std::string text = GenerateProgram(seed, 4000 + seed * 500);
    const std::vector<std::size_t> starts = LineStarts(text);
    LexerOutput full;
    LexText(t, text, kLexerStateInitial, full);
    ASSERT_EQ(full.levels.size(), starts.size());

    // Consecutive chunks of random size, each from the state the last one ended in.
    LexerOutput chunked{std::vector<std::uint8_t>(text.size(), 0xEE), std::vector<int>(starts.size(), -1),
                        std::vector<LexerState>(starts.size(), -1)};
    for (std::size_t first = 0; first < starts.size();) {
      const std::size_t last = std::min(starts.size() - 1, first + rng() % 9);
      LexChunk(t, text, starts, first, last, chunked);
      first = last + 1;
    }
    EXPECT_EQ(chunked.styles, full.styles);
    EXPECT_EQ(chunked.levels, full.levels);

    // Restyling from any line with the stored states changes nothing.
    for (int round = 0; round < 20; ++round) {
      const std::size_t first = rng() % starts.size();
      const std::size_t last = first + rng() % (starts.size() - first);
      LexChunk(t, text, starts, first, last, chunked);
    }
    EXPECT_EQ(chunked.styles, full.styles);
    EXPECT_EQ(chunked.levels, full.levels);
    EXPECT_EQ(chunked.ends, full.ends);
  }
}

TEST(LexerProperty, LineEndFormsGiveTheSameStylesAndLevels) {
  const LexerTables t = TestTables();
  for (unsigned seed = 20; seed < 30; ++seed) {
    SCOPED_TRACE(seed);
    const std::string lf = GenerateProgram(seed, 3000);
    LexerOutput ref;
    LexText(t, lf, kLexerStateInitial, ref);

    // Every LF becomes CR LF, CR or stays, at random.
    std::mt19937 rng(seed);
    std::string mixed;
    std::vector<bool> extra;  // per byte of `mixed`: a CR added before an LF
    for (char c : lf) {
      int form = c == '\n' ? int(rng() % 3) : 0;
      // A lone CR right before an LF would join it into one line end.
      if (c == '\n' && form == 0 && !mixed.empty() && mixed.back() == '\r') form = 2;
      if (form == 1) {
        mixed += '\r';
        extra.push_back(true);
      }
      mixed += form == 2 ? '\r' : c;
      extra.push_back(false);
    }
    LexerOutput got;
    LexText(t, mixed, kLexerStateInitial, got);
    std::vector<std::uint8_t> aligned;
    for (std::size_t i = 0; i < mixed.size(); ++i)
      if (!extra[i]) aligned.push_back(got.styles[i]);
    EXPECT_EQ(aligned, ref.styles);
    EXPECT_EQ(got.levels, ref.levels);

    const std::string crlf = ToCrLf(lf);
    LexerOutput whole;
    LexText(t, crlf, kLexerStateInitial, whole);
    EXPECT_EQ(whole.levels, ref.levels);
  }
}

}  // namespace
}  // namespace vendle
