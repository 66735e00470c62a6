// The clean-up text rules on plain text.
#include <gtest/gtest.h>

#include "qt_print.h"
#include "tools/cleanup.h"

namespace vendle::test {
namespace {

struct DocumentCase {
  const char* what;
  const char* text;
  const char* indents;
  const char* blankLines;
  const char* comments;  // "Preserve first line" on
};

TEST(WholeDocumentCleanup, EveryLineEndsWithLf) {
  const DocumentCase cases[] = {
      {"CR LF with a final line end", "  A = 1  \r\n\t\tB\t\r\n   \r\n\r\nC ' c\r\n", "A = 1\nB\t\n\n\nC ' c\n",
       "  A = 1  \n\t\tB\t\nC ' c\n", "  A = 1  \n\t\tB\t\n   \n\nC \n"},
      {"CR LF without one", "  A = 1  \r\n\t\r\nC ' c", "A = 1\n\nC ' c\n", "  A = 1  \n\t\nC ' c\n",
       "  A = 1  \n\t\nC \n"},
      {"a lone CR ends a line", "A\rB\n", "A\nB\n", "A\nB\n", "A\nB\n"},
      {"the empty text", "", "\n", "", "\n"},
      {"blank lines only", "  \r\n\r\n", "\n\n", "", "  \n\n"},
  };
  for (const DocumentCase& c : cases) {
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(RemoveIndentsText(text), c.indents) << c.what;
    EXPECT_EQ(RemoveBlankLinesText(text), c.blankLines) << c.what;
    EXPECT_EQ(RemoveCommentsText(text, true), c.comments) << c.what;
  }
}

TEST(RemoveCommentsText, StringsAndTheFirstLine) {
  const QString text = QStringLiteral(
      "'target picomite\r\n"
      "PRINT \"it's\" ' says it\r\n"
      "  A = 1   'note\r\n"
      "' only a comment\r\n"
      "PRINT \"a'b\"\r\n"
      "REM stays\r\n");
  EXPECT_EQ(RemoveCommentsText(text, true),
            "'target picomite\nPRINT \"it's\" \n  A = 1   \n\nPRINT \"a'b\"\nREM stays\n");
  EXPECT_TRUE(RemoveCommentsText(text, false).startsWith("\nPRINT \"it's\" \n"));
}

TEST(ConvertCStyleCommentLines, BlocksAndLineComments) {
  struct Case {
    const char* what;
    QStringList lines;
    const char* expected;
  } cases[] = {
      {"a block over three lines",
       {"  /* start", "   middle", "end */", "  x = 1"},
       "' /* start\r\n' middle\r\n' end */\r\n  x = 1"},
      {"a block on one line", {"/* x */", "y"}, "' /* x */\r\ny"},
      {"a line comment", {"// c", "a // b", "b /* c"}, "' // c\r\na // b\r\nb /* c"},
      {"*/ closes only before a blank or at the end",
       {"/* a", "b */x", "c */ d", "e"},
       "' /* a\r\n' b */x\r\n' c */ d\r\ne"},
      {"a line not converted keeps its bytes", {"\t  x", "  y  ", "  /* z */", "\tw"},
       "\t  x\r\n  y  \r\n' /* z */\r\n\tw"},
      {"one empty line", {""}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ConvertCStyleCommentLines(c.lines, u"\r\n"), c.expected) << c.what;
}

WrapOptions Wrap(int column = 80, bool align = true) {
  WrapOptions o;
  o.column = column;
  o.align = align;
  o.lineEnd = QStringLiteral("\n");
  return o;
}

// `code` then a comment, padded with words to `length` characters.
QString CommentLine(const QString& code, int length) {
  QString line = code + QStringLiteral("' ");
  for (int word = 0; line.size() < length; ++word) line += QStringLiteral("w%1 ").arg(word % 10);
  return line.left(length);
}

TEST(WrapCommentLine, BreaksALongCommentOnce) {
  const QString code = QStringLiteral("PRINT 1  ");  // the comment starts at column 10
  const QString line = CommentLine(code, 120);
  const QString wrapped = WrapCommentLine(line, Wrap());
  const qsizetype cut = wrapped.indexOf(u'\n');
  ASSERT_GT(cut, 0) << wrapped.toStdString();
  // The last blank between columns 70 and 80 ends the first part ...
  const QString first = wrapped.left(cut);
  EXPECT_EQ(first, line.left(first.size()));
  EXPECT_TRUE(first.endsWith(u' '));
  EXPECT_GE(first.size(), 70);
  EXPECT_LE(first.size(), 80);
  EXPECT_EQ(line.lastIndexOf(u' ', 79), first.size() - 1);
  // ... and follows the new "'", which stands under the old one.
  EXPECT_EQ(wrapped.sliced(cut + 1), QString(9, u' ') + u'\'' + line.sliced(first.size() - 1));
}

TEST(WrapCommentLine, LinesThatStay) {
  const struct Case {
    const char* what;
    QString line;
  } cases[] = {
      {"not longer than W", CommentLine("A = 1 ", 80)},
      {"the comment starts at column 70", CommentLine(QString(69, u'x'), 100)},
      {"the comment starts at column 60 (W - 20)", CommentLine(QString(59, u'x'), 100)},
      {"no comment", QString(120, u'x')},
      {"the apostrophe is in a string", QStringLiteral("PRINT \"it's\"") + QString(100, u'x')},
  };
  for (const Case& c : cases) EXPECT_EQ(WrapCommentLine(c.line, Wrap()), c.line) << c.what;
}

TEST(WrapCommentLine, AWordWithoutABlankIsCutAfterColumnW) {
  const QString line = QStringLiteral("A = 1 '") + QString(100, u'x');
  const QString wrapped = WrapCommentLine(line, Wrap());
  EXPECT_EQ(wrapped, line.left(80) + u'\n' + QString(6, u' ') + u'\'' + line.sliced(80));
  QString joined = wrapped;
  joined.remove(u'\n').remove(QString(6, u' ') + u'\'');
  EXPECT_EQ(joined, line) << "no character is written twice";
}

TEST(WrapCommentLine, ACutNeverSplitsACharacter) {
  // Without a blank the cut falls after column W, here inside a character
  // of two UTF-16 units; it moves before that character.
  QString line = QStringLiteral("A = 1 '");
  while (line.size() < 120) line += QString::fromUtf8("\xF0\x9F\x98\x80");  // U+1F600
  ASSERT_TRUE(line[79].isHighSurrogate());
  const QString wrapped = WrapCommentLine(line, Wrap());
  const QStringList parts = wrapped.split(u'\n');
  ASSERT_EQ(parts.size(), 2) << wrapped.toStdString();
  EXPECT_EQ(parts[0], line.left(79));
  EXPECT_EQ(parts[1], QString(6, u' ') + u'\'' + line.sliced(79));
}

TEST(WrapCommentLine, TheContinuationMark) {
  const QString line = CommentLine(QStringLiteral("\tPRINT 1 "), 120);  // the comment at column 10
  WrapOptions tabs = Wrap();
  tabs.useSpaces = false;
  tabs.tabSize = 4;
  const QString aligned = WrapCommentLine(line, tabs);
  EXPECT_TRUE(aligned.contains(u"\n\t\t '")) << aligned.toStdString();
  tabs.tabSize = 0;  // counts as 1
  EXPECT_TRUE(WrapCommentLine(line, tabs).contains(QStringLiteral("\n") + QString(8, u'\t') + u'\''));
  // Without aligning, the line's own indentation.
  EXPECT_TRUE(WrapCommentLine(line, Wrap(80, false)).contains(u"\n\t' "))
      << WrapCommentLine(line, Wrap(80, false)).toStdString();
  // A comment in column 1 continues in column 1.
  const QString atStart = CommentLine(QString(), 120);
  EXPECT_TRUE(WrapCommentLine(atStart, Wrap()).contains(u"\n' ")) << WrapCommentLine(atStart, Wrap()).toStdString();
}

TEST(WrapCommentLines, JoinsWithTheLineEnd) {
  const QStringList lines = {QStringLiteral("A"), CommentLine(QStringLiteral("B "), 100), QStringLiteral("C")};
  WrapOptions o = Wrap();
  o.lineEnd = QStringLiteral("\r\n");
  const QString out = WrapCommentLines(lines, o);
  EXPECT_EQ(out.count(u"\r\n"), 3);
  EXPECT_TRUE(out.startsWith(u"A\r\nB ' ")) << out.toStdString();
  EXPECT_TRUE(out.endsWith(u"\r\nC"));
  EXPECT_EQ(WrapCommentLines({}, o), "");
}

}  // namespace
}  // namespace vendle::test
