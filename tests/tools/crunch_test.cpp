// Crunch and uncrunch on plain text, their line ends and cross-reference,
// and the paths of the results of the source tools.
#include <gtest/gtest.h>

#include "qt_print.h"
#include "tools/crunch.h"
#include "tools/result_path.h"

namespace vendle::test {
namespace {

struct LineCase {
  const char* line;
  const char* expected;
};

TEST(CrunchLine, KeepsOnlyTheBlanksThatMatter) {
  const LineCase cases[] = {
      {"A = B + 1 ' a comment", "A=B+1"},
      {"PRINT \"a ' b  c\" ' real", "PRINT \"a ' b  c\""},
      {"IF A <> B THEN PRINT \"x\" , Y", "IF A<>B THEN PRINT \"x\",Y"},
      {"FOR I = 1 TO 10 STEP 2", "FOR I=1 TO 10 STEP 2"},
      {"CASE IS > 5", "CASE IS >5"},
      {"CASE IS>5", "CASE IS >5"},
      {"case is  >=  5", "case is >=5"},
      {"CLS : PRINT", "CLS :PRINT"},
      {"CLS  : PRINT", "CLS :PRINT"},
      {"CLS:PRINT", "CLS:PRINT"},
      {"start: PRINT 1 : GOTO start", "start:PRINT 1:GOTO start"},
      {"DIM a ( 10 ) , b$ ; c", "DIM a(10),b$;c"},
      {"X = \"a\" + \"b\"", "X=\"a\"+\"b\""},
      {"A = B / 2 - C * 3 \\ 4", "A=B/2-C*3\\4"},
      {"' only a comment", ""},
      {"   ", ""},
      {"", ""},
      {"PRINT \"unclosed ' string", "PRINT \"unclosed ' string"},
  };
  for (const LineCase& c : cases) EXPECT_EQ(CrunchLine(QString::fromUtf8(c.line)), c.expected) << c.line;
}

TEST(UnCrunchLine, PutsBlanksAroundOperators) {
  const LineCase cases[] = {
      {"A=B+1", "A = B + 1"},
      {"IF A<>B THEN PRINT\"x\",Y", "IF A <> B THEN PRINT \"x\" , Y"},
      {"X=\"a b \"", "X = \"a b \""},
      {"PRINT\"quote\"", "PRINT \"quote\""},
      {"start:", "start:"},
      {"start:PRINT 1", "start:PRINT 1"},
      {"CLS :PRINT", "CLS :PRINT"},
      {"PRINT 1:A=2", "PRINT 1 :A = 2"},
      {"x=1.5E-3", "x = 1.5E-3"},
      {"x=2.5e+10*y", "x = 2.5e+10 * y"},
      {"y=X1E-3", "y = X1E -3"},
      {"z=&H1E-3", "z = &H1E -3"},
      {"A=B-C", "A = B - C"},
      {"A=-1", "A = -1"},
      {"IF A>=B OR C<=D", "IF A >= B OR C <= D"},
      {"A=1'x=y+1", "A = 1'x=y+1"},
  };
  for (const LineCase& c : cases) EXPECT_EQ(UnCrunchLine(QString::fromUtf8(c.line)), c.expected) << c.line;
}

CrunchOptions Options(bool preserve, const char* lineEnd = "\r\n") {
  CrunchOptions o;
  o.preserveFirstLine = preserve;
  o.lineEnd = QString::fromUtf8(lineEnd);
  return o;
}

const char kProgram[] =
    "'target picomite\r\n"
    "' setup\r\n"
    "\tDIM A = 1 , B$ = \"x  'y\"\r\n"
    "#DEFINE  \"a\" , b\r\n"
    "\r\n"
    "SUB Show ( n )\r\n"
    "  PRINT n * 2 ' twice\r\n"
    "END SUB";

TEST(CrunchProgram, DropsCommentsIndentationAndEmptyLines) {
  const CrunchResult r = CrunchProgram(QString::fromUtf8(kProgram), Options(true));
  EXPECT_EQ(
      r.text,
      "'target picomite\r\nDIM A=1,B$=\"x  'y\"\r\n#DEFINE  \"a\" , b\r\nSUB Show(n)\r\nPRINT n*2\r\nEND SUB\r\n");
  // The comment-only line 2 and the empty line 5 have no entry.
  const QList<std::pair<int, int>> xref = {{1, 1}, {2, 3}, {3, 4}, {4, 6}, {5, 7}, {6, 8}};
  EXPECT_EQ(r.crossReference, xref);
  EXPECT_EQ(CrossReferenceBytes(r.crossReference), "1 1\r\n2 3\r\n3 4\r\n4 6\r\n5 7\r\n6 8\r\n");
}

TEST(CrunchProgram, WithoutPreserveTheFirstLineIsCrunchedToo) {
  const CrunchResult r = CrunchProgram(QString::fromUtf8(kProgram), Options(false, "\n"));
  EXPECT_TRUE(r.text.startsWith("DIM A=1,B$=\"x  'y\"\n#DEFINE")) << r.text.toStdString();
  EXPECT_FALSE(r.text.contains(u'\r')) << "LF mode";
  EXPECT_EQ(r.crossReference.first(), (std::pair<int, int>{1, 3}));
}

TEST(CrunchProgram, TabsInsideStringsAreTheProgramsOwn) {
  // A tab in a string is output; outside strings it is a blank.
  const CrunchResult r =
      CrunchProgram(u"'a\tb\n\tPRINT \"x\ty\" ,\tz ' c\td\n#DEFINE\t\"p\tq\"\n", Options(true, "\n"));
  EXPECT_EQ(r.text, "'a b\nPRINT \"x\ty\",z\n#DEFINE \"p\tq\"\n");
  EXPECT_EQ(UnCrunchProgram(r.text, Options(true, "\n")), "'a b\nPRINT \"x\ty\" , z\n#DEFINE \"p\tq\"\n\n");
}

TEST(CrunchProgram, LineEndsOfEveryKind) {
  const CrunchResult r = CrunchProgram(u"A = 1\rB = 2\nC = 3\r\n", Options(false, "\n"));
  EXPECT_EQ(r.text, "A=1\nB=2\nC=3\n");
  EXPECT_EQ(CrunchProgram(u"", Options(false)).text, "");
  EXPECT_EQ(CrossReferenceBytes({}), "");
}

TEST(UnCrunchProgram, IndentsAndSeparatesRoutines) {
  const QString text = QStringLiteral(
      "'first line\n"
      "FOR I=1 TO 3\n"
      "  I=I+1\n"
      "   \n"
      "NEXT I\n"
      "SUB Show(n)\n"
      "  PRINT\"n=\";n\n"
      "END SUB\n"
      "\n"
      "function F(x)\n"
      "#X=1\n");
  EXPECT_EQ(UnCrunchProgram(text, Options(true, "\n")),
            "'first line\n"
            "FOR I = 1 TO 3\n"
            "  I = I + 1\n"
            "  \n"  // a line of blanks keeps the indentation before it
            "NEXT I\n"
            "\n"
            "SUB Show( n )\n"
            "  PRINT \"n=\" ; n\n"
            "END SUB\n"
            "\n"  // an empty line already stands before the function
            "function F( x )\n"
            "#X=1\n"
            "\n");  // the line after the final line end
}

TEST(UnCrunchProgram, ASubOnTheFirstLineAndTabIndentation) {
  CrunchOptions o = Options(false, "\r\n");
  o.useSpaces = false;
  o.tabSize = 4;
  EXPECT_EQ(UnCrunchProgram(u"SUB A\n      B=1", o), "\r\nSUB A\r\n\t  B = 1\r\n");
  o.tabSize = 0;  // counts as 1
  EXPECT_EQ(UnCrunchProgram(u"  B=1", o), "\t\tB = 1\r\n");
}

TEST(CrunchThenUnCrunch, GivesBackReadableStatements) {
  const QString source = QStringLiteral(
      "' demo\n"
      "start:\n"
      "  CLS : PRINT \"Hello  world!\"\n"
      "  IF A <> 1.5E-3 THEN A = A - 1 ' step\n"
      "I = 1\n"
      "SUB Beep\n"
      "  PLAY TONE 440 , 440\n"
      "END SUB\n");
  const CrunchResult crunched = CrunchProgram(source, Options(false, "\n"));
  EXPECT_EQ(crunched.text,
            "start:\nCLS :PRINT \"Hello  world!\"\nIF A<>1.5E-3 THEN A=A-1\nI=1\nSUB Beep\nPLAY TONE 440,440\n"
            "END SUB\n");
  EXPECT_EQ(UnCrunchProgram(crunched.text, Options(false, "\n")),
            "start:\nCLS :PRINT \"Hello  world!\"\nIF A <> 1.5E-3 THEN A = A -1\nI = 1\n\nSUB Beep\n"
            "PLAY TONE 440, 440\nEND SUB\n\n");
}

TEST(ResultPath, OnlyTheFileNameChanges) {
  struct Case {
    const char* path;
    const char* merged;
    const char* crunched;
    const char* uncrunched;
    const char* list;
  } cases[] = {
      {"a/b.bas", "a/b_Merged.bas", "a/b_c.bas", "a/b_uc.bas", "a/b_c.lst"},
      {"a.bas.d/b.bas", "a.bas.d/b_Merged.bas", "a.bas.d/b_c.bas", "a.bas.d/b_uc.bas", "a.bas.d/b_c.lst"},
      {"a/b", "a/b_Merged", "a/b_c", "a/b_uc", "a/b_c.lst"},
      {"a/B.BAS", "a/B_Merged.BAS", "a/B_c.BAS", "a/B_uc.BAS", "a/B_c.lst"},
      {"a.d\\b.x.bas", "a.d\\b.x_Merged.bas", "a.d\\b.x_c.bas", "a.d\\b.x_uc.bas", "a.d\\b.x_c.lst"},
  };
  for (const Case& c : cases) {
    const QString path = QString::fromUtf8(c.path);
    EXPECT_EQ(ResultPath(path, "_Merged"), c.merged) << c.path;
    EXPECT_EQ(ResultPath(path, "_c"), c.crunched) << c.path;
    EXPECT_EQ(ResultPath(path, "_uc"), c.uncrunched) << c.path;
    EXPECT_EQ(CrossReferencePath(ResultPath(path, "_c")), c.list) << c.path;
  }
}

}  // namespace
}  // namespace vendle::test
