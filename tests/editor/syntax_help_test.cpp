// The keyword help table ("kw_list.txt" and "user.csv"), the hints, the GUI
// element lines and the help template split.
#include <gtest/gtest.h>

#include "editor/syntax_help.h"
#include "editor/syntax_print.h"
#include "qt_print.h"

namespace vendle {
namespace {

TEST(SyntaxHelp, KeywordsAreNormalisedForTheLookup) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"LEFT$(", "LEFT "}, {"mid$(", "MID "},       {"line  input", "LINE INPUT"}, {"Print", "PRINT"},
      {"MM.Info$(", "MM.INFO "}, {"a ( $b", "A B"}, {"", ""},                     {"$", " "},
  };
  for (const Case& c : cases) EXPECT_EQ(NormaliseHelpKeyword(QString(c.in)), c.out) << c.in;
}

TEST(SyntaxHelp, KwListFillsRowsByLineNumber) {
  KeywordHelpTable t;
  const QStringList lines = {
      "Keyword\tPage\tSyntax",                   // heading: row 1 empty
      "  LEFT$(\tleft_str\tLEFT$(\"s$\", n)  ",  // quotes go from the syntax line
      "PRINT",                                   // fields missing
      "KEYWORDS\tx\ty",                          // begins with "keyword": empty too
      "",                                        // row 5 empty
      "GOTO\t goto \tGOTO target\textra",
  };
  EXPECT_EQ(ApplyKwList(t, lines), 6);
  EXPECT_TRUE(t.row(1).isEmpty());
  EXPECT_EQ(t.row(2), (KeywordHelpRow{"LEFT ", "left_str", "LEFT$(s$, n)"}));
  EXPECT_EQ(t.row(3), (KeywordHelpRow{"PRINT", "", ""}));
  EXPECT_TRUE(t.row(4).isEmpty());
  EXPECT_TRUE(t.row(5).isEmpty());
  EXPECT_EQ(t.row(6), (KeywordHelpRow{"GOTO", "goto", "GOTO target"}));
  EXPECT_TRUE(t.row(0).isEmpty());
  EXPECT_TRUE(t.row(-3).isEmpty());
  EXPECT_TRUE(t.row(KeywordHelpTable::kRows + 1).isEmpty());
}

TEST(SyntaxHelp, UserCsvOverwritesRowsFromTheTop) {
  KeywordHelpTable t;
  ApplyKwList(t, {"A\ta\tA x", "B\tb\tB x", "C\tc\tC x", "D\td\tD x"});
  const QStringList csv = {
      "Zed$(,zed,\"ZED$(a, b)\"",  // quoted: the enclosing quotes go, inner commas stay
      "",                          // leaves row 2 as kw_list wrote it
      "Y,y,\"",                    // a lone quote is an empty syntax line
      "X",                         // no commas at all
  };
  EXPECT_EQ(ApplyUserCsv(t, csv), 4);
  EXPECT_EQ(t.row(1), (KeywordHelpRow{"ZED ", "zed", "ZED$(a, b)"}));
  EXPECT_EQ(t.row(2), (KeywordHelpRow{"B", "b", "B x"}));
  EXPECT_EQ(t.row(3), (KeywordHelpRow{"Y", "y", ""}));
  EXPECT_EQ(t.row(4), (KeywordHelpRow{"X", "", ""}));

  ApplyUserCsv(t, {"W,w,plain, with comma", "V,v,\"\"", "keyword,k,heading rule does not apply"});
  EXPECT_EQ(t.row(1).syntaxLine, "plain, with comma");
  EXPECT_EQ(t.row(2).syntaxLine, "");
  EXPECT_EQ(t.row(3).keyword, "KEYWORD");
}

TEST(SyntaxHelp, RowCountComesFromTheLastFileAndIsCapped) {
  struct Case {
    int kw, csv, count;
  };
  const Case cases[] = {
      {-1, -1, 0},  {10, -1, 11}, {10, 2, 3}, {-1, 2, 3},
      {0, -1, 1},   {1599, -1, 1600}, {1600, -1, 1600}, {5000, -1, 1600}, {10, 1700, 1600},
  };
  for (const Case& c : cases) EXPECT_EQ(KeywordHelpCount(c.kw, c.csv), c.count) << c.kw << " " << c.csv;
}

TEST(SyntaxHelp, LinesBeyondTheTableAreIgnored) {
  KeywordHelpTable t;
  QStringList lines;
  for (int i = 1; i <= 1700; ++i) lines.append(QString("K%1\tp%1\ts%1").arg(i));
  EXPECT_EQ(ApplyKwList(t, lines), 1700);
  EXPECT_EQ(t.row(1600).keyword, "K1600");
  EXPECT_EQ(t.rows.size(), size_t(KeywordHelpTable::kRows + 1));
  EXPECT_EQ(ApplyUserCsv(t, lines), 1700);  // no commas: keyword only, still bounded
}

TEST(SyntaxHelp, QuickHintMasksAreBinaryFields) {
  const std::vector<QuickHint> hints = ParseQuickHints({
      "101 SETPIN pin, mode",
      "",
      "  1   PRINT x  ",
      "PRINT",   // no digits: mask 0, the whole line
      "11x2 y",  // digits up to the first other character
      QString(70, '1') + " long",
  });
  ASSERT_EQ(hints.size(), 5u);
  EXPECT_EQ(hints[0], (QuickHint{5, "SETPIN pin, mode"}));
  EXPECT_EQ(hints[1], (QuickHint{1, "  PRINT x"}));
  EXPECT_EQ(hints[2], (QuickHint{0, "PRINT"}));
  EXPECT_EQ(hints[3], (QuickHint{3, "y"}));
  EXPECT_EQ(hints[4].mask, ~std::uint64_t{0});  // at most 64 digits are read
}

TEST(SyntaxHelp, HintNamesGiveBitsByPosition) {
  SyntaxList list;
  for (const char* n : {"picomite", "ARMmite", "ATTiny", "other"}) list.push_back({.name = n});
  ApplyHintMasks(list, u"  picomite  armmite attiny Other picomite ");
  EXPECT_EQ(list[0].hintMask, 1u << 4);  // a later name replaces the earlier bit
  EXPECT_EQ(list[1].hintMask, 1u << 1);
  EXPECT_EQ(list[2].hintMask, 1u << 2);
  EXPECT_EQ(list[3].hintMask, 0u);  // "Other" is not the lower-case name

  QString names;
  for (int i = 1; i <= 64; ++i) names += QString("d%1 ").arg(i);
  SyntaxList many;
  many.push_back({.name = "d64"});
  many.push_back({.name = "d65"});
  ApplyHintMasks(many, names + "d65");
  EXPECT_EQ(many[0].hintMask, std::uint64_t{1} << 63);
  EXPECT_EQ(many[1].hintMask, 0u);  // a 65th name has no bit
}

TEST(SyntaxHelp, GuiElementsAndTemplate) {
  EXPECT_EQ(ParseGuiElements({"  BOX startX, startY ", "", "   ", "TEXT x"}),
            QStringList({"BOX startX, startY", "TEXT x"}));
  const HelpTemplate t = SplitHelpTemplate("<a href=\"intro.htm\">x</a><b>intro.htm</b>");
  EXPECT_EQ(t.head, "<a href=\"");
  EXPECT_EQ(t.tail, "\">x</a><b>intro.htm</b>");
  const HelpTemplate none = SplitHelpTemplate("<html>no page</html>");
  EXPECT_TRUE(none.head.isEmpty() && none.tail.isEmpty());
}

TEST(SyntaxHelp, TextLinesSplitAtLf) {
  EXPECT_EQ(SplitTextLines(u"a\r\nb\n\nc\n"), QStringList({"a", "b", "", "c"}));
  EXPECT_EQ(SplitTextLines(u""), QStringList());
  EXPECT_EQ(SplitTextLines(u"\n"), QStringList({""}));
}

}  // namespace
}  // namespace vendle
