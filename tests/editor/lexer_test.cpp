// The pure lexer: word registration, the character classes, the number and
// token scanners, the fold rules of one line and the options.
#include <gtest/gtest.h>

#include <random>

#include "editor/lexer.h"
#include "lexer_test_support.h"

namespace vendle {
namespace {

using lexer_test::TestTables;

// ---- registration ----------------------------------------------------------

TEST(LexerWords, RegistrationKeepsFirstOrderLastSpellingLastStyleAndOredFlags) {
  LexerTables t;
  EXPECT_EQ(t.addWords("  Print  GOTO  ", 1, WordAutoComplete), 2);  // empty pieces are not counted
  EXPECT_EQ(t.addWords("sub", 1, WordOpensFold), 1);
  EXPECT_EQ(t.addWords("PRINT Sub", 6, WordClosesFold), 2);
  ASSERT_EQ(t.words().size(), 3u);
  const auto& r = t.words().records();
  EXPECT_EQ(r[0].word, "PRINT");
  EXPECT_EQ(r[0].style, 6);
  EXPECT_EQ(r[0].flags, WordAutoComplete | WordClosesFold);
  EXPECT_EQ(r[1].word, "GOTO");
  EXPECT_EQ(r[2].word, "Sub");
  EXPECT_EQ(r[2].flags, WordOpensFold | WordClosesFold);
  EXPECT_EQ(t.lookupWord("  print "), &r[0]);
  EXPECT_EQ(t.lookupWord("pRiNt"), &r[0]);
  EXPECT_EQ(t.lookupWord(""), nullptr);
  EXPECT_EQ(t.lookupWord("   "), nullptr);
  EXPECT_EQ(t.addWords("   ", 1, 0), 0);
}

TEST(LexerWords, RemovingKeepsTheOrderOfTheRestAndAnEmptyListClearsAll) {
  LexerTables t;
  t.addWords("a b c d", 1, 0);
  t.removeWords("B  d unknown");
  ASSERT_EQ(t.words().size(), 2u);
  EXPECT_EQ(t.words().records()[0].word, "a");
  EXPECT_EQ(t.words().records()[1].word, "c");
  EXPECT_EQ(t.lookupWord("b"), nullptr);
  EXPECT_NE(t.lookupWord("C"), nullptr);
  t.addWords("b", 2, 0);
  EXPECT_EQ(t.words().records().back().word, "b");
  t.removeWords("  ");
  EXPECT_EQ(t.words().size(), 0u);
  EXPECT_EQ(t.lookupWord("a"), nullptr);
}

TEST(LexerWords, ManyWordsStayFindable) {
  LexerTables t;
  std::string list;
  for (int i = 0; i < 5000; ++i) list += "Word" + std::to_string(i) + " ";
  EXPECT_EQ(t.addWords(list, 1, 0), 5000);
  for (int i = 0; i < 5000; i += 7) EXPECT_NE(t.lookupWord("WORD" + std::to_string(i)), nullptr) << i;
  EXPECT_EQ(t.lookupWord("word5000"), nullptr);
}

TEST(LexerWords, KeysAreUnicodeLowerCaseAndInvalidBytesStayDistinct) {
  LexerTables t;
  t.addWords("\xC3\x84pfel", 5, 0);  // Äpfel
  EXPECT_NE(t.lookupWord("\xC3\xA4PFEL"), nullptr);  // äPFEL
  t.addWords("x\xFF", 5, 0);
  t.addWords("x\xFE", 6, 0);
  ASSERT_NE(t.lookupWord("X\xFF"), nullptr);
  EXPECT_EQ(t.lookupWord("X\xFF")->style, 5);
  EXPECT_EQ(t.lookupWord("x\xFE")->style, 6);
}

TEST(LexerWords, DelimitedOpenerGetsTheClosingCharacterOnlyWhenItIsOneWord) {
  struct Case {
    const char* openers;
    const char* closer;
    std::uint64_t flags;
    const char* word;
    char close;
  };
  const Case cases[] = {
      {"\"", "\"", WordDelimited, "\"", '"'},
      {" [ ", "]>", WordDelimited, "[", ']'},
      {"( <", ")", WordDelimited, "(", 0},  // a list has no record of its own
      {"{", "}", WordToLineEnd, "{", 0},      // not delimited
      {"|", "", WordDelimited, "|", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.openers);
    LexerTables t;
    t.addDelimited(c.openers, c.closer, c.flags, 3);
    const LexerWordRecord* r = t.lookupWord(c.word);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->closeChar, c.close);
  }
}

// ---- character classes -----------------------------------------------------

TEST(LexerChars, DelimitersAreLineEndsOperatorsAndOpeners) {
  LexerTables t;
  t.setOperatorChars("+(\xC3\xA9");  // the bytes of é are not ASCII and do not count
  t.addDelimited("'", "", WordToLineEnd, 2);
  t.addDelimited("\"", "\"", WordDelimited, 3);
  t.addWords("a +", 1, WordAutoComplete | WordOpensFold);  // flags above the low 20 bits only
  struct Case {
    unsigned char c;
    bool delimiter;
    bool record;
  };
  const Case cases[] = {
      {'\r', true, false}, {'\n', true, false}, {'+', true, true},  {'(', true, false},
      {'\'', true, true},  {'"', true, true},   {'a', false, false}, {' ', false, false},
      {'\t', false, false}, {0xC3, false, false}, {0xA9, false, false}, {'.', false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.c));
    const LexerCharInfo info = LexerLookupChar(t, c.c);
    EXPECT_EQ(info.delimiter, c.delimiter);
    EXPECT_EQ(info.record != nullptr, c.record);
  }
}

// ---- numbers ---------------------------------------------------------------

TEST(LexerNumbers, ScanTable) {
  const LexerTables t = TestTables();
  struct Case {
    const char* text;
    std::size_t length;
    std::size_t digits;
  };
  const Case cases[] = {
      {"42", 2, 2},       {"3.25 ", 4, 3},   {".5", 2, 1},      {"1.5E3", 5, 4},   {"2e10)", 4, 4},
      {"&HFF", 4, 4},     {"&hff,", 4, 4},   {"&O17", 4, 4},    {"&o17", 4, 4},    {"&B1010", 6, 6},
      {"&1F", 3, 3},      {"1E-5", 2, 2},    {"1.2.3", 0, 0},   {"12abc", 0, 0},   {".", 1, 0},
      {"&", 1, 1},        {"&G", 0, 0},      {"&HH", 0, 0},     {"7.\r\n", 2, 1},  {"E1", 0, 0},
      {"1&", 0, 0},       {"00000000", 8, 8}, {"5\t", 1, 1},    {"5'x", 1, 1},     {"5\"", 1, 1},
      {"1\xC3\xA9", 0, 0}, {"abc", 0, 0},    {".E", 0, 0},      {"&E", 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const LexerNumber n = LexerScanNumber(t, c.text);
    EXPECT_EQ(n.length, c.length);
    if (n.length > 0) { EXPECT_EQ(n.digits, c.digits); }
  }
}

// ---- tokens ----------------------------------------------------------------

TEST(LexerTokens, ScanTable) {
  const LexerTables t = TestTables();
  struct Case {
    const char* text;
    std::size_t length;
    int style;
    const char* record;  // the word of the token's record, or null
  };
  const Case cases[] = {
      {"  \t x", 4, 32, nullptr},
      {"print x", 5, 1, "PRINT"},
      {"Print(1)", 5, 1, "PRINT"},
      {"unknown", 7, 32, nullptr},
      {"12abc+", 5, 32, nullptr},
      {".5)", 2, 4, nullptr},
      {"=a", 1, 32, nullptr},
      {"\"ab\" x", 4, 3, "\""},
      {"\"open\r\n", 5, 3, "\""},
      {"\"", 1, 3, "\""},
      {"' rest\r\n", 6, 2, "'"},
      {"'\n", 1, 2, "'"},
      {"[a[b]c] x", 7, 7, "["},
      {"\r\n", 1, 32, nullptr},
      {"\n", 1, 32, nullptr},
      {"w\xC3\xB6rd x", 5, 32, nullptr},
      {"total$=1", 6, 5, "total$"},
      {"REM a: \"b\r\n", 9, 2, "REM"},
      {"rem", 3, 2, "REM"},
      {"Rem:x\n", 5, 2, "REM"},
      {"remaining = 1", 9, 32, nullptr},
      {"REMX", 4, 32, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    LexerPrefix prefix = LexerPrefix::None;
    const LexerToken tok = LexerScanToken(t, c.text, prefix);
    EXPECT_EQ(tok.length, c.length);
    EXPECT_EQ(tok.style, c.style);
    if (c.record) {
      ASSERT_NE(tok.record, nullptr);
      EXPECT_EQ(tok.record->word, c.record);
    } else {
      EXPECT_EQ(tok.record, nullptr);
    }
  }
}

TEST(LexerTokens, MeasuringFollowsThePrefixWordsOnly) {
  const LexerTables t = TestTables();
  struct Case {
    const char* text;
    LexerPrefix after;
  };
  const Case cases[] = {
      {"END", LexerPrefix::End},   {"exit", LexerPrefix::Exit}, {"Loop", LexerPrefix::Loop},
      {"sub", LexerPrefix::Exit},  {"ending", LexerPrefix::Exit}, {"'end", LexerPrefix::Exit},
      {"\"end\"", LexerPrefix::Exit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    LexerPrefix prefix = LexerPrefix::Exit;
    LexerScanToken(t, c.text, prefix);
    EXPECT_EQ(prefix, c.after);
  }
}

// ---- fold rules of a line --------------------------------------------------

TEST(LexerFolds, LineLevelsAndEndStates) {
  const LexerTables t = TestTables();
  struct Case {
    const char* line;
    LexerState start;
    int level;
    LexerState end;
  };
  constexpr int H = kFoldHeaderFlag;
  const Case cases[] = {
      {"sub foo\n", 1024, 1024 | H, 1025},
      {"  print 1\n", 1025, 1025, 1025},
      {"end sub\n", 1025, 1025, 1024},
      {"end sub\n", 1024, 1024, 1024},  // nothing opened to close
      {"exit sub\n", 1025, 1025, 1025},
      {"loop sub\n", 1025, 1025, 1025},
      {"sub a : sub b\n", 1024, 1024 | H, 1026},
      {"sub a : end sub\n", 1024, 1024, 1024},
      {"end sub : end sub\n", 1026, 1026, 1024},
      {"end sub : end sub\n", 1025, 1025, 1024},  // never below the base
      {"end if : sub x\n", 1025, 1025, 1024},     // an earlier "end" arms the fold word
      {"end if : sub x\n", 1024, 1024, 1024},
      {"FUNCTION f(x)\n", 1024, 1024 | H, 1025},
      {"' sub in a comment\n", 1024, 1024, 1024},
      {"print \"sub\"\n", 1024, 1024, 1024},
      {"IF x THEN PRINT 1\n", 1025, 1025, 1025},
      {"sub x\n", 0xFFF, 0xFFF | H, 0xFFF},       // capped
      {"end sub\n", 0xFFF, 0xFFF, 0xFFE},
      {"sub x\n", 5, 1024 | H, 1025},             // a broken state starts over
      {"", 1030, 1030, 1030},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<std::uint8_t> styles(std::strlen(c.line));
    const LexerLine l = LexLine(t, c.line, c.start, styles.data());
    EXPECT_EQ(l.level, c.level);
    EXPECT_EQ(l.end, c.end);
  }
}

TEST(LexerFolds, ThousandsOfOpenBlocksStayBelowTheFlagBits) {
  const LexerTables t = TestTables();
  std::string text;
  for (int i = 0; i < 4000; ++i) text += "sub a : sub b\n";
  LexerOutput out;
  LexText(t, text, kLexerStateInitial, out);
  for (std::size_t i = 0; i < out.levels.size(); ++i) {
    ASSERT_LE(out.levels[i] & kFoldNumberMask, 0xFFF);
    ASSERT_EQ(out.levels[i] & ~(kFoldNumberMask | kFoldHeaderFlag), 0) << "line " << i;
  }
  EXPECT_EQ(out.ends.back(), 0xFFF);
}

// A script's first line names its interpreter: a comment that opens no fold,
// only at the start of the document and only with "#!" in column 0.
TEST(LexerScriptLine, TheFirstLineOfAScriptIsAComment) {
  const LexerTables t = TestTables();
  struct Case {
    const char* text;
    bool documentStart;
    const char* styled;
  };
  const Case cases[] = {
      {"#!/usr/local/bin/sub\nsub a\n", true, "{2}#!/usr/local/bin/sub{32}\n{1}sub{32} a\n"},
      {"#!/usr/local/bin/sub\r\nsub a", true, "{2}#!/usr/local/bin/sub{32}\r\n{1}sub{32} a"},
      {"#!x", true, "{2}#!x"},
      {"#!/usr/local/bin/sub\n", false, "{32}#!/usr/{1}local{32}/bin/{1}sub{32}\n"},
      {" #!/usr/local/bin/sub\n", true, "{32} #!/usr/{1}local{32}/bin/{1}sub{32}\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    LexerOutput out;
    LexText(t, c.text, kLexerStateInitial, out, c.documentStart);
    EXPECT_EQ(lexer_test::StyledNotation(c.text, out.styles), c.styled);
    LexerOutput plain;
    LexText(t, c.text, kLexerStateInitial, plain);
    EXPECT_EQ(out.levels.size(), plain.levels.size()) << "as many lines";
    if (c.documentStart && std::string_view(c.text).starts_with("#!")) {
      EXPECT_EQ(out.levels[0], kFoldBase) << "no fold header";
      EXPECT_EQ(out.ends[0], kLexerStateInitial);
    }
  }
}

// ---- options ---------------------------------------------------------------

TEST(LexerOptions, ColourAndFoldBitsAreIndependent) {
  const std::string text = lexer_test::ReadFile(lexer_test::ExamplesDir() + "blocks.bas");
  LexerTables t = TestTables();
  LexerOutput all, noColour, noFold;
  LexText(t, text, kLexerStateInitial, all);
  t.setOptions(LexFold);
  LexText(t, text, kLexerStateInitial, noColour);
  t.setOptions(LexColour);
  LexText(t, text, kLexerStateInitial, noFold);

  EXPECT_EQ(noColour.levels, all.levels);
  for (std::uint8_t s : noColour.styles) ASSERT_EQ(s, kStyleDefault);
  EXPECT_EQ(noFold.styles, all.styles);
  for (int level : noFold.levels) ASSERT_EQ(level, 0);
  EXPECT_EQ(noFold.ends, all.ends);  // the state still follows the blocks
}

TEST(LexerOptions, StylesTheControlCannotHoldBecomeTheDefault) {
  LexerTables t;
  t.addWords("big neg ok", 300, 0);
  t.addWords("neg", -1, 0);
  t.addWords("ok", 255, 0);
  t.setNumberStyle(1 << 20);
  LexerOutput out;
  LexText(t, "big neg ok 5", kLexerStateInitial, out);
  EXPECT_EQ(lexer_test::StyledNotation("big neg ok 5", out.styles), "{32}big neg {255}ok{32} 5");
}

// ---- termination and coverage ----------------------------------------------

TEST(LexerTokens, EveryTokenIsAtLeastOneByteEvenForOddRegistrations) {
  LexerTables t;
  t.setOperatorChars(" \t.&\"'");
  t.addWords("a \r b \n c", 2, WordToLineEnd);  // line ends as comment openers
  t.addDelimited("\n", "\n", WordDelimited, 3);
  t.addDelimited(".", "\r", WordDelimited, 4);
  t.addWords("' \" & . \t", 5, WordOpensFold | WordClosesFold | WordToLineEnd);
  std::mt19937 rng(7);
  const char alphabet[] = "ab\r\n\t .&\"'1eEhH0[]";
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int n = rng() % 60;
    for (int i = 0; i < n; ++i) text += alphabet[rng() % (sizeof alphabet - 1)];
    LexerOutput out;
    LexText(t, text, kLexerStateInitial, out);  // terminates
    ASSERT_EQ(out.styles.size(), text.size());
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lineEnds;
    ASSERT_EQ(out.levels.size(), lineEnds + 1);
    for (std::size_t off = 0; off < text.size();) {
      LexerPrefix p = LexerPrefix::None;
      const std::string_view rest = std::string_view(text).substr(off);
      const std::size_t len = LexerScanToken(t, rest.substr(0, LexerLineLength(rest)), p).length;
      ASSERT_GE(len, 1u);
      off += len;
    }
  }
}

}  // namespace
}  // namespace vendle
