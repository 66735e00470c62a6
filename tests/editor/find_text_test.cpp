// The pure side of find and find-all: the recent-search list, the line test
// of Quick find and Find all, the word Quick find takes, and the rows of the
// Find All window.
#include <gtest/gtest.h>

#include "editor/find_text.h"
#include "qt_print.h"

namespace vendle {
inline void PrintTo(const LineMatch& m, std::ostream* os) { *os << m.line << ": \"" << m.text.toStdString() << '"'; }
}  // namespace vendle

namespace vendle::test {
namespace {

const QString kWordChars = QStringLiteral("tei0ndsra1o2l3cpmST.I5h_fEN46ACgOxDR8u9LbyMvw7HPFBqGjVUzkKXWZYQ#J@%!$~");

QStringList Numbered(int first, int last) {
  QStringList out;
  for (int i = first; i >= last; --i) out.append(QStringLiteral("s%1").arg(i));
  return out;
}

TEST(FindHistory, NewestFirstWithoutDuplicatesAndAtMostTen) {
  struct Case {
    const char* what;
    QStringList before;
    QString text;
    QStringList after;
  };
  const Case cases[] = {
      {"into an empty list", {}, "a", {"a"}},
      {"a new text goes on top", {"b", "c"}, "a", {"a", "b", "c"}},
      {"searching the same text again leaves one entry at the top", {"b", "a", "c"}, "a", {"a", "b", "c"}},
      {"letter case makes a different entry", {"Print"}, "print", {"print", "Print"}},
      {"the eleventh distinct text drops the oldest", Numbered(10, 1), "s11", Numbered(11, 2)},
      {"a duplicate in a full list drops nothing else", Numbered(10, 1), "s1", QStringList{"s1"} + Numbered(10, 2)},
      {"an empty text changes nothing", {"a"}, "", {"a"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(AddFindHistory(c.before, c.text), c.after);
  }
}

TEST(LinesMatching, WholeWordsCaseAndOneRowPerLine) {
  struct Case {
    const char* what;
    const char* text;
    const char* word;
    bool ignoreCase;
    bool wholeWord;
    std::vector<LineMatch> rows;
  };
  const Case cases[] = {
      {"count% is found as a whole word", "count% = 1\r\ncounter = 2\r\n", "count%", true, true, {{1, "count% = 1"}}},
      {"count is not a whole word inside counter", "counter = 2\r\n", "count", true, true, {}},
      {"count inside count% is no whole word: % is a word character", "count% = 1\n", "count", true, true, {}},
      {"a match at the line's start and at its end", "x = 1\nprint x\n", "x", true, true, {{1, "x = 1"}, {2, "print x"}}},
      {"a failed occurrence does not hide a later one", "counter = count\n", "count", true, true,
       {{1, "counter = count"}}},
      {"two hits on a line give one row", "a = a + a\n", "a", true, true, {{1, "a = a + a"}}},
      {"ignoring case", "PRINT x\nprint y\n", "Print", true, true, {{1, "PRINT x"}, {2, "print y"}}},
      {"matching case", "PRINT x\nprint y\n", "print", false, true, {{2, "print y"}}},
      {"without whole words any occurrence counts", "counter = 2\n", "count", true, false, {{1, "counter = 2"}}},
      {"lines are trimmed of blanks and tabs", "  \tDo\r\n    x = 1  \r\n", "x", true, true, {{2, "x = 1"}}},
      {"every line-end kind counts lines as the editor does", "a\rb x\nc\r\nx", "x", true, true,
       {{2, "b x"}, {4, "x"}}},
      {"the last line needs no line end", "a\nb = x", "x", true, true, {{2, "b = x"}}},
      {"non-ASCII text and words", "Print \"Grüße\"\nGRÜSSE = 1\n", "grüße", true, false, {{1, "Print \"Grüße\""}}},
      {"an empty word matches nothing", "a\n", "", true, false, {}},
      {"an empty text has no rows", "", "a", true, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(LinesMatching(QString::fromUtf8(c.text), QString::fromUtf8(c.word), {c.ignoreCase, c.wholeWord, kWordChars}),
              c.rows);
  }
}

TEST(LinesMatching, ListsEveryLineOfALargeProgramOnce) {
  QString text;
  for (int i = 0; i < 20000; ++i) text += QStringLiteral("  value%1 = value%1 + count% ' count\r\n").arg(i);
  const std::vector<LineMatch> rows = LinesMatching(text, QStringLiteral("COUNT%"), {true, true, kWordChars});
  ASSERT_EQ(rows.size(), 20000u);
  EXPECT_EQ(rows.front(), (LineMatch{1, "value0 = value0 + count% ' count"}));
  EXPECT_EQ(rows.back().line, 20000);
}

TEST(QuickFindWord, ASigilRightAfterTheSelectionJoinsTheWord) {
  struct Case {
    QString selection;
    QChar next;
    QString word;
    bool widened;
  };
  const Case cases[] = {
      {"count", u'%', "count%", true}, {"name", u'$', "name$", true},  {"f", u'!', "f!", true},
      {"count", u' ', "count", false}, {"count", QChar(), "count", false}, {"count", u'#', "count", false},
      {"", u'%', "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selection.toStdString());
    const QuickFindTerm t = QuickFindWordOf(c.selection, c.next);
    EXPECT_EQ(t.word, c.word);
    EXPECT_EQ(t.widened, c.widened);
  }
}

TEST(FindAllRows, BothLayoutsWithNamesOfDifferentLengths) {
  const std::vector<FindAllResult> results = {
      {1, 21, "main.bas", "", 7, "Print x"},
      {0, 20, "b.bas", "", 1234567, "x = 1"},
      {0, 20, "b.bas", "", 12, ""},
  };
  EXPECT_EQ(FindAllRows(results, true), (QStringList{"     7   Print x", "1234567   x = 1", "    12   "}));
  EXPECT_EQ(FindAllRows(results, false),
            (QStringList{"main.bas      7   Print x", "   b.bas 1234567   x = 1", "   b.bas     12   "}));
  EXPECT_TRUE(FindAllRows({}, false).isEmpty());
}

}  // namespace
}  // namespace vendle::test
