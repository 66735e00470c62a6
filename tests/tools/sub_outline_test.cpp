// The outline of the sub and function list and the jump to a definition,
// on plain text.
#include <gtest/gtest.h>

#include "qt_print.h"
#include "tools/sub_outline.h"

namespace vendle::test {
namespace {

const char* const kProgram =
    "' demo\r\n"                 // 1
    "SUB Foo(a, b)\r\n"          // 2
    "  PRINT a\r\n"              // 3
    "END SUB\r\n"                // 4
    "\tfunction Bar$(x)\r\n"     // 5, tab-indented
    "END FUNCTION\r\n"           // 6
    "main:\r\n"                  // 7
    "  '> section: two\r\n"      // 8
    "'>x: listed twice\r\n"      // 9
    "DEFINEFONT #8\r\n"          // 10
    "END DEFINEFONT\r\n"         // 11
    "CLS: PRINT \"x\"\r\n"       // 12
    "'note: a comment label\r\n"  // 13
    "CSUB Blit\r\n";             // 14

TEST(SubOutline, ListsHeadersLabelsAndMarkedComments) {
  const SubsOutline o = BuildSubsOutline(QString::fromUtf8(kProgram));
  const QList<SubsEntry> expected = {
      {1, "First line"},          {2, "SUB Foo(a, b)"},   {5, "function Bar$(x)"},
      {7, "main:"},               {8, "'> section: two"}, {9, "'>x: listed twice"},
      {9, "'>x: listed twice"},   {10, "DEFINEFONT #8"},  {12, "CLS: PRINT \"x\""},
      {13, "'note: a comment label"}, {14, "CSUB Blit"}, {15, "Last line"},
  };
  EXPECT_EQ(o.entries, expected);
  // The declared case is kept; each name once.
  EXPECT_EQ(o.names, " Foo Bar$ main '>x #8 CLS 'note Blit ");
}

TEST(SubOutline, EmptyAndLineEndKinds) {
  EXPECT_EQ(BuildSubsOutline(u"").entries, (QList<SubsEntry>{{1, "First line"}, {2, "Last line"}}));
  EXPECT_EQ(BuildSubsOutline(u"").names, " ");
  for (const QString& text : {QStringLiteral("a\nSUB s\nb\n"), QStringLiteral("a\rSUB s\rb"), QStringLiteral("a\r\nSUB s\r\nb")})
    EXPECT_EQ(BuildSubsOutline(text).entries, (QList<SubsEntry>{{1, "First line"}, {2, "SUB s"}, {4, "Last line"}}))
        << text.toStdString();
}

TEST(SubOutline, ItemTextsRoundTripWithoutCutting) {
  const struct {
    SubsEntry entry;
    const char* text;
  } cases[] = {
      {{1, "First line"}, "     1 First line"},
      {{123456, "SUB x"}, "123456 SUB x"},
      {{1234567, "Last line"}, "1234567 Last line"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SubsItemText(c.entry), c.text);
    EXPECT_EQ(SubsItemLine(SubsItemText(c.entry)), c.entry.line);
  }
}

TEST(SubOutline, JumpWordsAndDefinitions) {
  const QString text = QString::fromUtf8(kProgram);
  const struct {
    const char* selection;
    const char* word;
    std::optional<int> line;
  } cases[] = {
      {"Foo(", "Foo", 2},      {"  foo \r\n", "foo", 2}, {"BAR$", "BAR$", 5}, {"main:", "main", 7},
      {"Blit'", "Blit", 14},   {"nothing", "nothing", std::nullopt},
      {"#8", "#8", std::nullopt},  // DEFINEFONT blocks are not targets
      {"(", "", std::nullopt},     // an empty word names nothing
      {"   ", "", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JumpWord(QString::fromUtf8(c.selection)), c.word) << c.selection;
    EXPECT_EQ(FindDefinitionLine(text, JumpWord(QString::fromUtf8(c.selection))), c.line) << c.selection;
  }
  EXPECT_EQ(FindDefinitionLine(u":\nSUB\n", u""), std::nullopt);
}

}  // namespace
}  // namespace vendle::test
