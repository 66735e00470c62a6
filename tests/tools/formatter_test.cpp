// The indentation formatter on plain text: a table of one-line and small
// block cases, the golden examples of tests/tools/examples/format/, the line
// ends, comment modes and tabs.
#include <gtest/gtest.h>

#include <QDir>

#include "qt_print.h"
#include "test_files.h"
#include "tools/formatter.h"

namespace vendle::test {
namespace {

FormatOptions Lf(int labels = 0) {
  FormatOptions o;
  o.indentLabels = labels;
  o.lineEnd = QStringLiteral("\n");
  return o;
}

struct BlockCase {
  const char* what;
  const char* input;
  const char* expected;  // with "Indent Labels" 0, 2 blanks a unit, LF
};

const BlockCase kBlocks[] = {
    {"IF THEN then END IF keeps the level", "IF A THEN\nx=1\nEND IF\ny=2\n", "IF A THEN\n  x=1\nEND IF\ny=2\n"},
    {"one-line IF changes nothing", "IF X THEN PRINT X\ny=1\n", "IF X THEN PRINT X\ny=1\n"},
    {"IF a THEN : x=1 is placed one deeper", "IF a THEN : x=1\ny=1\n", "  IF a THEN : x=1\n  y=1\n"},
    {"IF (a)THEN opens", "IF (a)THEN\nx\nENDIF\n", "IF (a)THEN\n  x\nENDIF\n"},
    {"IF a$=\"x\"THEN opens, as crunch writes it", "IF a$=\"x\"THEN\nx\nENDIF\ny\n",
     "IF a$=\"x\"THEN\n  x\nENDIF\ny\n"},
    {"ELSE and ELSEIF at the outer level", "IF a THEN\nx\nELSEIF b THEN\ny\nELSE\nz\nENDIF\n",
     "IF a THEN\n  x\nELSEIF b THEN\n  y\nELSE\n  z\nENDIF\n"},
    {"SELECT CASE", "SELECT CASE X\nCASE 1\nPRINT 1\nCASE ELSE\nPRINT 2\nEND SELECT\nz\n",
     "SELECT CASE X\n  CASE 1\n    PRINT 1\n  CASE ELSE\n    PRINT 2\nEND SELECT\nz\n"},
    {"NEXT I, J closes two", "FOR I=1 TO 2\nFOR J=1 TO 2\nx\nNEXT I, J\ny\n",
     "FOR I=1 TO 2\n  FOR J=1 TO 2\n    x\nNEXT I, J\ny\n"},
    {"FOR : NEXT on one line", "FOR I = 1 TO 3 : NEXT\nx\n", "FOR I = 1 TO 3 : NEXT\nx\n"},
    {"DO : LOOP on one line", "DO : LOOP\nx\n", "DO : LOOP\nx\n"},
    {"DO WHILE and LOOP UNTIL", "DO WHILE X\ny\nLOOP UNTIL X\nz\n", "DO WHILE X\n  y\nLOOP UNTIL X\nz\n"},
    {"WHILE WEND", "WHILE a\nb\nWEND\n", "WHILE a\n  b\nWEND\n"},
    {"a label at column 0, its statements not read", "  MAIN: FOR i=1 TO 2\nx\n", "MAIN: FOR i=1 TO 2\nx\n"},
    {"CLS: PRINT is a label", "DO\n CLS: PRINT\nLOOP\n", "DO\nCLS: PRINT\nLOOP\n"},
    {"END  IF goes to column 0", "IF a THEN\n   END  IF\nx\n", "IF a THEN\nEND  IF\n  x\n"},
    {"RETURN alone at column 0", "DO\n  RETURN\nLOOP\n", "DO\nRETURN\nLOOP\n"},
    {"a quoted string first changes nothing", "  \"abc\" x\n", "\"abc\" x\n"},
    {"strings hold : ' and then", "PRINT \"a: NEXT\"\nIF a$=\"then\" THEN PRINT \"' x\"\ny\n",
     "PRINT \"a: NEXT\"\nIF a$=\"then\" THEN PRINT \"' x\"\ny\n"},
    {"a comment after THEN", "IF a THEN ' then\nx\nEND IF\n", "IF a THEN ' then\n  x\nEND IF\n"},
    {"never below 0", "NEXT\nLOOP\nEND IF\nEND SELECT\nx\n", "NEXT\nLOOP\nEND IF\nEND SELECT\nx\n"},
    {"empty lines stay empty", "DO\n\n   \nx\nLOOP\n", "DO\n\n\n  x\nLOOP\n"},
    {"inner tabs of code become blanks, trailing blanks go", "DO\n\tx\t=\t1   \nLOOP\n", "DO\n  x = 1\nLOOP\n"},
    {"tabs inside strings stay", "DO\nPRINT \"a\tb\"\t' c\td\nLOOP\n", "DO\n  PRINT \"a\tb\" ' c d\nLOOP\n"},
    {"non-ASCII text", "DO\nPRINT \"Größe: 5 °C\"\nLOOP\n", "DO\n  PRINT \"Größe: 5 °C\"\nLOOP\n"},
    {"the words of a REM remark open and close nothing",
     "DO\nx = 1 : REM note: next the loop\ny = 2\nLOOP\nREM setup: do it first\nREM a: for b\nz\n",
     "DO\n  x = 1 : REM note: next the loop\n  y = 2\nLOOP\nREM setup: do it first\nREM a: for b\nz\n"},
    {"a word that starts with REM is no remark", "DO\nREMOTE = 1 : LOOP\nx\n", "DO\nREMOTE = 1 : LOOP\nx\n"},
};

TEST(Formatter, BlocksAndOneLineCases) {
  for (const BlockCase& c : kBlocks)
    EXPECT_EQ(FormatIndentationText(QString::fromUtf8(c.input), Lf()), QString::fromUtf8(c.expected)) << c.what;
}

TEST(Formatter, LineEndsAreKeptAsLinesAndWrittenInTheMode) {
  FormatOptions crlf = Lf();
  crlf.lineEnd = QStringLiteral("\r\n");
  struct Case {
    const char* what;
    QString input;
    FormatOptions options;
    QString expected;
  } cases[] = {
      {"an empty document is one line end", "", crlf, "\r\n"},
      {"an empty document with LF", "", Lf(1), "\n"},
      {"no final line end gets one", "x", crlf, "x\r\n"},
      {"a final line end is kept once", "x\r\n", crlf, "x\r\n"},
      {"CR LF, LF and a lone CR each end a line", "DO\rx\r\ny\nLOOP\r", Lf(), "DO\n  x\n  y\nLOOP\n"},
      {"lone CR lines keep their count", "a\r\rb", Lf(), "a\n\nb\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatIndentationText(c.input, c.options), c.expected) << c.what;
}

TEST(Formatter, IndentUnitsTabsAndLabels) {
  FormatOptions tabs = Lf(0);
  tabs.useSpaces = false;
  QString deep, expected;
  for (int i = 0; i < 10; ++i) {
    deep += "DO\n";
    expected += QString(std::min(i, 8), u'\t') + "DO\n";
  }
  deep += "x\n";
  expected += QString(8, u'\t') + "x\n";
  EXPECT_EQ(FormatIndentationText(deep, tabs), expected) << "level 9 and 10 give 8 tabs";

  EXPECT_EQ(MakeIndent(3, tabs), "\t\t\t");
  EXPECT_EQ(MakeIndent(9, tabs), QString(8, u'\t'));
  FormatOptions four = Lf();
  four.tabSize = 4;
  EXPECT_EQ(MakeIndent(2, four), QString(8, u' '));
  FormatOptions zero = Lf();
  zero.tabSize = 0;
  EXPECT_EQ(MakeIndent(2, zero), "  ") << "a tab size below 1 counts as 1";
  EXPECT_EQ(MakeIndent(-1, four), "");

  const QString sub = "SUB Foo(a)\nPRINT a\nIF a THEN\nb\nEND IF\nEND SUB\nx\n";
  EXPECT_EQ(FormatIndentationText(sub, Lf(1)), "SUB Foo(a)\n  PRINT a\n  IF a THEN\n    b\n  END IF\nEND SUB\n  x\n");
  EXPECT_EQ(FormatIndentationText(sub, Lf(0)), "SUB Foo(a)\nPRINT a\nIF a THEN\n  b\nEND IF\nEND SUB\nx\n");
  // "Indent Labels" is a check box: a hand-edited 2147483647 is on, not as many levels.
  EXPECT_EQ(FormatIndentationText(sub, Lf(2147483647)), FormatIndentationText(sub, Lf(1)));
}

TEST(Formatter, CommentModes) {
  const QString input = "DO\n  \t' a\tb  \nLOOP\n";
  struct Case {
    int mode;
    bool spaces;
    int tabSize;
    QString expected;
  } cases[] = {
      {0, true, 2, "DO\n' a b\nLOOP\n"},
      {1, true, 2, "DO\n  ' a b\nLOOP\n"},
      {2, true, 2, "DO\n  ' a b\nLOOP\n"},
      // The line as read: its tabs fill up to the next stop of the output column.
      {3, true, 4, "DO\n    ' a b\nLOOP\n"},
      {3, true, 3, "DO\n   ' a   b\nLOOP\n"},
      {3, false, 2, "DO\n\t' a\tb\nLOOP\n"},
      {3, true, 0, "DO\n ' a b\nLOOP\n"},
      {7, true, 2, "DO\n' a b\nLOOP\n"},
  };
  for (const Case& c : cases) {
    FormatOptions o = Lf();
    o.indentComments = c.mode;
    o.useSpaces = c.spaces;
    o.tabSize = c.tabSize;
    EXPECT_EQ(FormatIndentationText(input, o), c.expected) << "mode " << c.mode << " tab size " << c.tabSize;
  }
  FormatOptions two = Lf(1);
  two.indentComments = 2;
  EXPECT_EQ(FormatIndentationText(u"DO\nDO\n' c\nLOOP\nLOOP\n", two), "  DO\n    DO\n  ' c\n    LOOP\n  LOOP\n")
      << "mode 2 is exactly one unit";
}

TEST(Formatter, SplitLinesToList) {
  EXPECT_EQ(SplitLinesToList(u""), QStringList{""});
  EXPECT_EQ(SplitLinesToList(u"  a \r\n\tb\t\rc\n"), (QStringList{"a", "\tb\t", "c"}));
}

// tests/tools/examples/format/NAME.bas formatted with the options of its
// first line ("' options: labels=1 comments=1 tabsize=2 spaces=1") must give
// NAME.expected byte for byte (LF line ends); a differing result is written
// beside it as NAME.expected.new.
TEST(Formatter, GoldenExamples) {
  const QDir dir(QStringLiteral(VENDLE_TEST_DATA_DIR "/tools/examples/format"));
  const QStringList inputs = dir.entryList({QStringLiteral("*.bas")}, QDir::Files, QDir::Name);
  ASSERT_FALSE(inputs.isEmpty());
  for (const QString& name : inputs) {
    const QString input = QString::fromUtf8(ReadFile(dir.filePath(name)));
    FormatOptions o = Lf();
    const QString head = input.left(input.indexOf(u'\n'));
    for (const QString& item : head.split(u' ', Qt::SkipEmptyParts)) {
      const QString key = item.section(u'=', 0, 0), value = item.section(u'=', 1);
      if (key == "labels") o.indentLabels = value.toInt();
      if (key == "comments") o.indentComments = value.toInt();
      if (key == "tabsize") o.tabSize = value.toInt();
      if (key == "spaces") o.useSpaces = value.toInt() != 0;
    }
    SCOPED_TRACE(name.toStdString());
    ExpectGolden(dir.filePath(name.chopped(4) + ".expected"), FormatIndentationText(input, o).toUtf8());
  }
}

}  // namespace
}  // namespace vendle::test
