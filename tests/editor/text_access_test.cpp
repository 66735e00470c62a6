#include "editor/ui/text_access.h"

#include <gtest/gtest.h>

#include <vector>

#include "editor/editor_text.h"
#include "editor/ui/editor_setup.h"
#include "editor/ui/editor_view.h"
#include "platform/ansi.h"
#include "platform/dispatcher.h"
#include "qt_print.h"

namespace vendle {
namespace {

using S = QsciScintillaBase;

// A real editor control, set up as the pool's editors are, with nobody
// styling it.
class EditorText : public ::testing::Test {
 protected:
  EditorText() : ed(20, dispatcher, nullptr) { SetUpEditorControl(ed, 0); }
  Sci s() { return ed.sci(); }
  void select(Sci::Pos anchor, Sci::Pos caret) { s().send(S::SCI_SETSEL, anchor, caret); }

  Dispatcher dispatcher;
  EditorView ed;
};

// Every byte of the program-file code page, NUL included, as text.
QString EveryAnsiCharacter() {
  QByteArray bytes;
  for (int b = 0; b < 256; ++b) bytes.append(static_cast<char>(b));
  return DecodeAnsi(bytes);
}

TEST_F(EditorText, EveryCharacterGoesInAndComesOutUnchanged) {
  const QString texts[] = {
      EveryAnsiCharacter(),
      QString("PRINT 1") + QChar(0) + QString("PRINT 2\r\nx\ry\n") + QChar(0),
      QString::fromUtf8("a\u00E9\u20AC\U0001F600z"),
      QString(QChar(0)),
      QString(),
  };
  for (const QString& text : texts) {
    SetEditorText(&ed, text, true);
    EXPECT_EQ(s().length(), text.toUtf8().size()) << "the control holds every byte";
    EXPECT_EQ(GetEditorText(&ed), text);
    EXPECT_EQ(GetEditorBytes(&ed), text.toUtf8());
    EXPECT_EQ(DecodeAnsi(EncodeAnsi(GetEditorText(&ed))), DecodeAnsi(EncodeAnsi(text)));
  }
  // The whole ANSI range survives the way to disk and back as well.
  SetEditorText(&ed, EveryAnsiCharacter(), true);
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  EXPECT_EQ(EncodeAnsi(GetEditorText(&ed)), all);
}

TEST_F(EditorText, SetEditorTextIsOneUndoStepOrEmptiesTheHistory) {
  SetEditorText(&ed, u"old", true);
  EXPECT_FALSE(s().send(S::SCI_CANUNDO));
  EXPECT_FALSE(s().modified()) << "an emptied history is also the save point";

  SetEditorText(&ed, u"new text", false);
  EXPECT_TRUE(s().modified());
  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(&ed), "old") << "one undo brings the old text back";

  SetEditorText(&ed, u"fresh", true);
  EXPECT_FALSE(s().send(S::SCI_CANUNDO));
}

TEST_F(EditorText, WritesLeaveTheChangedTextUnstyledForTheLexer) {
  auto endStyled = [&] { return s().send(S::SCI_GETENDSTYLED); };
  auto styleAll = [&] {
    s().send(S::SCI_STARTSTYLING, 0, 0);
    s().send(S::SCI_SETSTYLING, s().length(), 0);
  };
  SetEditorText(&ed, u"a\nbb\nccc\n", true);
  EXPECT_EQ(endStyled(), 0);

  styleAll();
  select(3, 4);  // in line 1
  ReplaceSelection(&ed, u"B");
  EXPECT_LE(endStyled(), 3) << "unstyled from the change on";
  EXPECT_GE(endStyled(), s().positionFromLine(1)) << "the line before keeps its styles";

  styleAll();
  ReplaceLineText(&ed, 2, u"C", false);
  EXPECT_LE(endStyled(), s().positionFromLine(2) + 1);
  styleAll();
  RestyleFrom(&ed, s().positionFromLine(1) + 1);
  EXPECT_EQ(endStyled(), s().positionFromLine(1)) << "an explicit restyle starts at its line";
}

TEST_F(EditorText, LinesAreReadWithoutTheirLineEnds) {
  SetEditorText(&ed, QString::fromUtf8("first\r\n\u00C4\u20ACb\n\nlast"), true);
  struct Case {
    Sci::Pos line;
    QString text;
  };
  const Case cases[] = {
      {0, "first"}, {1, QString::fromUtf8("\u00C4\u20ACb")}, {2, ""}, {3, "last"}, {4, ""}, {-1, ""}, {1000, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(GetEditorLine(&ed, c.line), c.text) << "line " << c.line;
}

TEST_F(EditorText, SelectionsAreReadAndReplacedInBytes) {
  // "x € y": the euro sign is bytes 2..5 but QString index 2..3.
  const QString text = QString::fromUtf8("x \u20AC y");
  SetEditorText(&ed, text, true);
  EXPECT_EQ(GetSelectedText(&ed), "") << "no selection";

  select(2, 5);
  EXPECT_EQ(GetSelectedText(&ed), QString::fromUtf8("\u20AC"));
  ReplaceSelection(&ed, QString::fromUtf8("\u00FC\u20AC"));
  EXPECT_EQ(GetEditorText(&ed), QString::fromUtf8("x \u00FC\u20AC y"));
  // Caret and anchor just behind the new text: 2 + 5 bytes, not 2 + 2 units.
  EXPECT_EQ(s().currentPos(), 7);
  EXPECT_EQ(s().send(S::SCI_GETANCHOR), 7);

  // An empty selection inserts; a backwards selection is replaced alike.
  select(1, 1);
  ReplaceSelection(&ed, u"-");
  select(5, 3);  // the u-umlaut, backwards
  ReplaceSelection(&ed, QString("a") + QChar(0) + "b");
  EXPECT_EQ(GetEditorText(&ed), QString("x- a") + QChar(0) + QString::fromUtf8("b\u20AC y"));
  EXPECT_EQ(s().currentPos(), 6);
}

TEST_F(EditorText, ReplaceLineTextKeepsTheLineEndAndDropsBreaks) {
  SetEditorText(&ed, u"one\r\ntwo\r\nthree", true);
  ReplaceLineText(&ed, 1, u"2\r\nzwei\n", false);
  ReplaceLineText(&ed, 2, u"3", false);
  ReplaceLineText(&ed, 3, u"ignored", false);
  ReplaceLineText(&ed, -1, u"ignored", false);
  EXPECT_EQ(GetEditorText(&ed), "one\r\n2zwei\r\n3");
  EXPECT_EQ(s().lineCount(), 3);
}

TEST_F(EditorText, InsertTextAtCaretLeavesTheCaretInFrontOfTheText) {
  SetEditorText(&ed, u"ab", true);
  s().send(S::SCI_GOTOPOS, 1);
  InsertTextAtCaret(&ed, QString::fromUtf8("\u00E9") + QChar(0));
  EXPECT_EQ(GetEditorText(&ed), QString::fromUtf8("a\u00E9") + QChar(0) + "b");
  EXPECT_EQ(s().currentPos(), 1);
}

TEST_F(EditorText, WithoutAnEditorNothingHappens) {
  EditorView* none = nullptr;
  SetEditorText(none, u"x", true);
  ReplaceSelection(none, u"x");
  ReplaceLineText(none, 0, u"x", true);
  InsertTextAtCaret(none, u"x");
  RestyleFrom(none, 0);
  EXPECT_EQ(GetEditorText(none), "");
  EXPECT_EQ(GetEditorLine(none, 0), "");
  EXPECT_EQ(GetSelectedText(none), "");
  EXPECT_TRUE(GetEditorBytes(none).isEmpty());
}

TEST(EditorPositions, BytePositionsAndStringIndicesAreConvertedBothWays) {
  // a (1 byte) é (2) € (3) 😀 (4 bytes, 2 units) z
  const QString text = QString::fromUtf8("a\u00E9\u20AC\U0001F600z");
  const QByteArray utf8 = text.toUtf8();
  struct Case {
    qsizetype index;
    qsizetype bytes;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {2, 3}, {3, 6}, {5, 10}, {6, 11}};
  for (const Case& c : cases) {
    EXPECT_EQ(BytePosOfIndex(text, c.index), c.bytes) << "index " << c.index;
    EXPECT_EQ(IndexOfBytePos(utf8, c.bytes), c.index) << "byte " << c.bytes;
  }
  EXPECT_EQ(Utf8LengthOf(text), 11);
  EXPECT_EQ(BytePosOfIndex(text, 4), 6) << "inside the surrogate pair: its start";
  EXPECT_EQ(IndexOfBytePos(utf8, 4), 2) << "inside the euro sign: its start";
  EXPECT_EQ(IndexOfBytePos(utf8, 8), 3) << "inside the emoji: its start";
  EXPECT_EQ(BytePosOfIndex(text, 99), 11);
  EXPECT_EQ(IndexOfBytePos(utf8, -5), 0);
  EXPECT_EQ(EditorBytesOf(QString("a") + QChar(0) + "b").size(), 3);
}

TEST(EditorPositions, IndentationReachesTheColumn) {
  struct Case {
    int column;
    bool spaces;
    int tab;
    const char* indent;
  };
  const Case cases[] = {
      {5, true, 2, "     "},
      {5, false, 2, "\t\t "},
      {4, false, 4, "\t"},
      {3, false, 4, "   "},
      {0, false, 2, ""},
      {20, false, 2, "\t\t\t\t\t\t\t\t"},  // at most eight tabs
      {3, false, 0, "\t\t\t"},             // a tab size below 1 counts as 1
      {2, false, -4, "\t\t"},
      {-3, true, 2, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IndentToColumn(c.column, c.spaces, c.tab), c.indent) << c.column << " " << c.spaces << " " << c.tab;
}

}  // namespace
}  // namespace vendle
