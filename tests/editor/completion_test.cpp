// The pure side of autocompletion and the syntax hints: the typed word, the
// offered list, the clean-up of a chosen entry, the hint filter and the
// range F12 takes at the caret.
#include <gtest/gtest.h>

#include "editor/completion.h"
#include "editor/word_map.h"
#include "qt_print.h"

namespace vendle::test {
namespace {

// The words as a configured editor registers them: comment and string
// openers, fold words, then keywords (two phrases among them) and user names.
LexerTables Tables() {
  LexerTables t;
  t.setOperatorChars("=+-*/\\()[],;:<>^");
  t.setOptions(kLexOptionsConfigured);
  t.addDelimited("'", "", WordToLineEnd, kStyleComment);
  t.addDelimited("\"", "\"", WordDelimited, kStyleString);
  t.addWords("sub function", kStyleKeyword, WordOpensFold);
  t.addWords("PRINT PRIVATE LINE~INPUT PIN(~ Pixel PRINTER", kStyleKeyword, WordAutoComplete);
  t.addWords("PROMPT", kStyleKeyword, 0);  // not offered
  t.addWords("printCount lineCount", kStyleUserVariable, WordAutoComplete);
  return t;
}

TEST(Completion, TheTypedWordIsTheTokenThatReachesTheCaret) {
  const LexerTables t = Tables();
  struct Case {
    const char* line;
    std::size_t caret;
    std::optional<std::string> word;  // none: no token
    bool atCaret = true;
  };
  const Case cases[] = {
      {"  pri", 5, "pri"},
      {"x = pri", 7, "pri"},
      {"x=pri\r\n", 5, "pri"},
      {"print", 2, "print", false},  // caret inside the word
      {"print x", 5, "print"},
      {"print x", 6, " ", true},
      {"a$ = \"pri", 9, "\"pri"},  // inside a string the whole string is one token
      {"", 0, std::nullopt},
      {"ab", 5, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::optional<TypedWord> w = TypedWordAt(t, c.line, c.caret);
    ASSERT_EQ(w.has_value(), c.word.has_value());
    if (!w) continue;
    EXPECT_EQ(std::string(c.line).substr(w->start, w->length), *c.word);
    EXPECT_EQ(w->atCaret, c.atCaret);
  }
}

TEST(Completion, CandidatesInRegistrationOrderIgnoringCase) {
  const LexerTables t = Tables();
  struct Case {
    const char* typed;
    std::optional<std::string> list;
  };
  const Case cases[] = {
      {"pri", "PRINT PRIVATE PRINTER printCount"},
      {"PRI", "PRINT PRIVATE PRINTER printCount"},
      {"print", "PRINT PRINTER printCount"},
      {"printe", "PRINTER"},
      {"printer", std::nullopt},  // the only entry is the typed word itself
      {"PRINTER", std::nullopt},
      {"pr", std::nullopt},       // two characters are too few
      {"pro", std::nullopt},      // PROMPT is not offered
      {"lin", "LINE~INPUT lineCount"},
      {"pin", "PIN(~"},
      {"xyz", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(CompletionList(t.words().records(), c.typed), c.list);
  }
}

TEST(Completion, AChosenEntryIsCleanedUp) {
  const std::pair<const char*, const char*> cases[] = {
      {"LINE~INPUT", "LINE INPUT"}, {"PIN(~", "PIN("},     {"(~", "("},     {"~", ""},
      {"~PRINT", "PRINT"},          {"ON~ERROR~SKIP", "ON ERROR SKIP"}, {"PRINT", "PRINT"},
  };
  for (const auto& [entry, text] : cases) EXPECT_EQ(CleanCompletion(entry), text) << entry;
}

TEST(SyntaxHints, TheWordAndTheHintsOfTheDialect) {
  const std::vector<QuickHint> hints = {
      {0x1, "SETPIN pin, mode"}, {0x2, "SETTICK period, target"}, {0x3, "SERVO ch, pos"},
      {0x1, "TEXT x, y, s$"},    {0x2, "PRINT expr"},             {0x1, "mm.info(name)"},
  };
  struct Case {
    const char* what;
    const char* raw;
    std::uint64_t mask;
    bool listAll;
    QStringList shown;
  };
  const Case cases[] = {
      {"the first three letters, ignoring case", "setpin", 0x1, false, {"SETPIN pin, mode"}},
      {"another dialect's bit", "SETPIN", 0x2, false, {"SETTICK period, target"}},
      {"a hint of two dialects", "ser", 0x2, false, {"SERVO ch, pos"}},
      {"mask 0 takes every dialect", "set", 0, false, {"SETPIN pin, mode", "SETTICK period, target"}},
      {"an empty word lists every hint of the dialect", "", 0x2, false,
       {"SETTICK period, target", "SERVO ch, pos", "PRINT expr"}},
      {"gui lists the TEXT lines", "GUI", 0x1, false, {"TEXT x, y, s$"}},
      {"blanks and line ends are dropped", "  Se\r\nt ", 0x1, false, {"SETPIN pin, mode"}},
      {"an MM. name", "MM.INFO", 0x1, false, {"mm.info(name)"}},
      {"? lists the GUI lines", "?", 0x1, true, {}},
      {"/ lists the GUI lines", "/x", 0x1, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const HintRequest r = HintWordOf(QString::fromUtf8(c.raw));
    EXPECT_EQ(r.listAll, c.listAll);
    if (!c.listAll) {
      EXPECT_EQ(FilterHints(hints, c.mask, r.word), c.shown);
    }
  }
}

TEST(SyntaxHints, TheRangeAtTheCaretStaysOnItsLine) {
  struct Case {
    const char* what;
    const char* line;
    std::intptr_t lineStart;
    std::intptr_t s, e;  // the control's word start and end
    ByteRange range;
  };
  const Case cases[] = {
      {"a plain word", "  setpin 1", 100, 102, 108, {102, 108}},
      {"an MM. name with the dot a word character", "x = MM.INFO(a)", 0, 4, 11, {4, 11}},
      {"an MM. name where the dot ends the word: two characters before the dot", "x = MM.INFO", 0, 7, 11, {4, 11}},
      {"an MM. name at the line's start", "MM.VER", 50, 50, 56, {50, 56}},
      {"a word start before the line is clamped", "MM.VER", 50, 10, 56, {50, 56}},
      {"a dot right at the line's start keeps to the line", ".5", 20, 21, 22, {20, 22}},
      {"a word end past the line (its line end) is clamped", "print", 0, 0, 7, {0, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ByteRange r = HintSelection(c.line, c.lineStart, c.s, c.e);
    EXPECT_EQ(r.start, c.range.start);
    EXPECT_EQ(r.end, c.range.end);
  }
}

TEST(SyntaxHints, AGuiLineIsInsertedWithTheDocumentsLineEnd) {
  EXPECT_EQ(HintInsertText("GUI BUTTON", true, "\n"), "GUI BUTTON\n");
  EXPECT_EQ(HintInsertText("GUI BUTTON", true, "\r\n"), "GUI BUTTON\r\n");
  EXPECT_EQ(HintInsertText("SETPIN pin, mode", false, "\r\n"), "SETPIN pin, mode");
}

}  // namespace
}  // namespace vendle::test
