// The variable report on plain text with the clock fixed: the golden
// examples of tests/tools/examples/report/ (NAME.bas gives NAME.expected
// byte for byte) and the rules that need no whole report.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "qt_print.h"
#include "settings/settings.h"
#include "tools/variable_report.h"

namespace vendle::test {
namespace {

const QString kExamples = QStringLiteral(VENDLE_TEST_DATA_DIR "/tools/examples/report");

QString ReadText(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QStringLiteral("<missing>");
}

ReportOptions Options() {
  ReportOptions o;
  o.wordCharacters = Settings().validWordCharacters;
  o.keywords = ReadText(kExamples + "/keywords.txt").simplified();
  o.elapsedMs = [] { return qint64(5); };
  return o;
}

QString Report(const QString& text) { return VariableReportText(text, Options()); }

// REM is a comment, as the apostrophe: its words are no names, at the start
// of a line or after a statement; a word that only holds the letters is one.
TEST(VariableReport, TheWordsOfARemarkAreNoNames) {
  const QString r = Report(QStringLiteral("REM set the counter here\nrem2 = 1 : Rem the end\nPRINT rem2, premium\n"
                                          "REM\n"));
  for (const char* word : {"counter", "here", "the ", "end", "set"})
    EXPECT_FALSE(r.contains(QString::fromUtf8(word))) << word << "\n" << r.toStdString();
  EXPECT_TRUE(r.contains("rem2")) << r.toStdString();
  EXPECT_TRUE(r.contains("premium")) << r.toStdString();
}

TEST(VariableReport, GoldenExamples) {
  const QStringList inputs = QDir(kExamples).entryList({QStringLiteral("*.bas")}, QDir::Files, QDir::Name);
  ASSERT_GE(inputs.size(), 6);
  for (const QString& name : inputs) {
    const QString expected = ReadText(kExamples + "/" + name.chopped(4) + ".expected");
    EXPECT_EQ(Report(ReadText(kExamples + "/" + name)), expected) << name.toStdString();
  }
}

TEST(VariableReport, TheClockIsAskedOnce) {
  int calls = 0;
  ReportOptions o = Options();
  o.elapsedMs = [&calls] { return qint64(++calls * 1000); };
  EXPECT_TRUE(VariableReportText(u"x = 1\n", o).startsWith("Time taken 1000mS\r\n"));
  EXPECT_EQ(calls, 1);
}

TEST(VariableReport, LineEndsOfEveryKindCountLines) {
  for (const QString& text : {QStringLiteral("a=1\r\nb=2\r\n"), QStringLiteral("a=1\nb=2"), QStringLiteral("a=1\rb=2\r")}) {
    const QString r = Report(text);
    EXPECT_TRUE(r.contains("Lines of code: 2, Total variables: 2\r\n")) << text.toStdString() << r.toStdString();
    EXPECT_TRUE(r.contains("\n!      \\ a  ***    1")) << r.toStdString();
    EXPECT_TRUE(r.contains("\n!      \\ b  ***    2")) << r.toStdString();
  }
}

TEST(VariableReport, LineNumbersAreWholeAndTheSortFoldsToLowerCase) {
  QString text = "x = 1\nPRINT late\n";
  for (int i = 3; i < 12; ++i) text += "PRINT 1\n";
  text += "DIM late, a_b, aB\n";  // line 12, entered before line 2 is read
  const QString r = Report(text);
  EXPECT_TRUE(r.contains("\n Global\\ late         12 2\n")) << r.toStdString();
  EXPECT_LT(r.indexOf("\\ a_b"), r.indexOf("\\ aB")) << "'_' sorts before the letters";
}

TEST(VariableReport, HeadersAndEnds) {
  EXPECT_TRUE(IsSubOrFunctionStart(u"Sub Foo"));
  EXPECT_TRUE(IsSubOrFunctionStart(u"CFUNCTION x"));
  EXPECT_FALSE(IsSubOrFunctionStart(u"DEFINEFONT #9"));
  EXPECT_FALSE(IsSubOrFunctionStart(u"subtotal = 1"));
  EXPECT_TRUE(IsSubOrFunctionEnd(u"END SUB"));
  EXPECT_TRUE(IsSubOrFunctionEnd(u"end  function"));
  EXPECT_TRUE(IsSubOrFunctionEnd(u"End DefineFont"));
  EXPECT_FALSE(IsSubOrFunctionEnd(u"END IF"));
  EXPECT_FALSE(IsSubOrFunctionEnd(u"ENDSUB"));
  EXPECT_EQ(RoutineNameOf(u"SUB   Foo(a, b)"), "Foo");
  EXPECT_EQ(RoutineNameOf(u"FUNCTION"), "");
}

// A program of real size: every name is found and the report stays linear
// (a quadratic table would take minutes here).
TEST(VariableReport, ManyNamesHaveRowsAndNoLimit) {
  QString text;
  const int names = 20000;
  for (int i = 0; i < names; ++i) text += QStringLiteral("DIM v%1 = %1\n").arg(i);
  for (int i = 0; i < names; ++i) text += QStringLiteral("PRINT v%1\n").arg(i);
  const QString r = Report(text);
  EXPECT_TRUE(r.contains(QStringLiteral("Total variables: %1\r\n").arg(names))) << r.left(300).toStdString();
  EXPECT_TRUE(r.contains(QStringLiteral("\n Global\\ v19999         %1 %2").arg(names).arg(2 * names))) << r.right(300).toStdString();
  EXPECT_FALSE(r.contains("OOPs"));
}

}  // namespace
}  // namespace vendle::test
