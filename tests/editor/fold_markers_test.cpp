#include <gtest/gtest.h>

#include "editor/fold_markers.h"
#include "qt_print.h"

namespace vendle {
namespace {

const QString kProgram =
    "' demo\r\n"
    "SUB Show(x)\r\n"
    "  PRINT \"a\tb\"   \r\n"
    "END SUB\r\n"
    "start:\r\n"
    "FUNCTION Twice(n)\r\n"
    "  Twice = 2 * n\r\n"
    "END FUNCTION\r\n";

TEST(FoldMarkers, SaveTextAndReadTextGiveBackTextBookmarksAndFolds) {
  const QList<int> bookmarks{1, 2, 7};
  const QList<int> folded{2, 6};
  const QString marked = AddMarkers(kProgram, bookmarks, folded);
  EXPECT_TRUE(marked.contains("SUB Show(x) 'FoldHere '>>>\r\n"));
  EXPECT_TRUE(marked.contains("  PRINT \"a\tb\" '>>>\r\n")) << "trailing blanks go, tabs in strings stay";
  EXPECT_TRUE(marked.contains("FUNCTION Twice(n) 'FoldHere\r\n"));

  const StrippedText back = StripMarkers(marked);
  EXPECT_EQ(back.bookmarks, bookmarks);
  EXPECT_EQ(back.foldedLines, folded);
  EXPECT_EQ(back.names, " Show start Twice ");
  // Only the trailing blanks of the marked line are lost.
  QString expected = kProgram;
  expected.replace("\"a\tb\"   \r\n", "\"a\tb\"\r\n");
  EXPECT_EQ(back.text, expected);
}

TEST(FoldMarkers, MarkersAreStrippedEvenWithoutFoldsOrBookmarksAndOnlyOnHeaders) {
  const StrippedText s = StripMarkers("x = 1 '>>>\nIF a THEN 'FoldHere\nsub lower 'FoldHere\n");
  EXPECT_EQ(s.text, "x = 1\nIF a THEN 'FoldHere\nsub lower\n");
  EXPECT_EQ(s.bookmarks, QList<int>{0});
  EXPECT_EQ(s.foldedLines, QList<int>{3});
}

TEST(FoldMarkers, FoldHereIsWrittenOnlyOnHeaderLines) {
  EXPECT_EQ(AddMarkers("IF a THEN\nENDIF\n", {}, {1}), "IF a THEN\nENDIF\n");
  EXPECT_EQ(AddMarkers("x\n", {}, {}), "x\n");
}

TEST(FoldMarkers, LoneCarriageReturnsEndLinesToo) {
  const StrippedText s = StripMarkers("a\rSUB b '>>>\rc");
  EXPECT_EQ(s.text, "a\rSUB b\rc");
  EXPECT_EQ(s.bookmarks, QList<int>{1});
  EXPECT_EQ(AddMarkers("a\rb\r\nc", {2}, {}), "a\rb\r\nc '>>>");
}

TEST(FoldMarkers, NamesAreWholeAndOncePerSpelling) {
  const StrippedText s = StripMarkers("SUB cab\nSUB ab\nsub AB\nFUNCTION f(x, y)\n\tSUB   indented\n");
  EXPECT_EQ(s.names, " cab ab f indented ");
  // A label's name counts too; labels themselves are all kept.
  EXPECT_EQ(StripMarkers("start:\nSUB START\nstart:\nSUB \u00C9t\nsub \u00E9T\n").names, " start start \u00C9t ");
}

TEST(FoldMarkers, LineLists) {
  EXPECT_EQ(ParseLineList(" 0 5  9 x "), (QList<int>{0, 5, 9}));
  EXPECT_EQ(FormatLineList({0, 5, 9}), "0 5 9");
  EXPECT_EQ(FormatLineList({}), "");
  EXPECT_EQ(SubNameOf("  SUB Foo(a, b)"), "Foo");
  EXPECT_EQ(SubNameOf("SUB"), "");
}

}  // namespace
}  // namespace vendle
