// Bookmarks, folds and line navigation on the running program's editor,
// with fold levels from the lexer: the fold state collected from the editor,
// the text rewritten, the folds put back; fold all and unfold all; bookmark
// jumps that wrap; the Goto line answers.
#include <gtest/gtest.h>

#include <QList>

#include "app_driver.h"
#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "editing_test_support.h"
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/editor_lexer.h"
#include "editor/word_map.h"
#include "platform/ids.h"
#include "qt_print.h"
#include "editor/ui/text_access.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

class FoldState : public ::testing::Test {
 protected:
  FoldState() {
    ed = CurrentEditor(app());
    EXPECT_NE(ed, nullptr) << "the program starts with a document";
    index = app().state().docs.list.currentIndex();
    // The folding words as a syntax registers them.
    LexerAddWords(*ed, "sub function", 1, WordOpensFold | WordClosesFold);
  }
  App& app() { return d.app(); }
  DocumentRecord& doc() { return app().state().docs.list.at(index); }
  Sci s() { return ed->sci(); }

  // Puts the text in and collapses the given 0-based header lines.
  void PutFolded(const QString& text, const QList<int>& fold) {
    SetEditorText(ed, text, true);
    s().send(S::SCI_COLOURISE, 0, -1);
    for (int line : fold) s().send(S::SCI_FOLDLINE, line, S::SC_FOLDACTION_CONTRACT);
  }
  QList<int> HiddenLines() {
    QList<int> out;
    for (Sci::Pos l = 0; l < s().lineCount(); ++l)
      if (!s().send(S::SCI_GETLINEVISIBLE, l)) out.append(static_cast<int>(l));
    return out;
  }
  int CaretLine() { return static_cast<int>(s().lineFromPosition(s().currentPos())); }
  void PutCaretOnLine(int line) { s().send(S::SCI_GOTOLINE, line); }

  AppDriver d;
  EditorView* ed = nullptr;
  int index = -1;
};

const char* const kProgram =
    "SUB first(a)\n"       // 0
    "  PRINT a\n"          // 1
    "END SUB\n"            // 2
    "x = 1\n"              // 3
    "  function f(b)\n"    // 4, indented
    "    f = b\n"          // 5
    "  end function\n"     // 6
    "SUB outer\n"          // 7
    "  SUB inner\n"        // 8
    "  END SUB\n"          // 9
    "END SUB\n";           // 10

struct FoldCase {
  const char* what;
  QString text;
  QList<int> fold;  // 0-based headers collapsed, in this order
  const char* foldedLines;
  const char* foldedSubNames;
  QList<int> hidden;
};

TEST_F(FoldState, FoldsAreCollectedAndPutBackAfterTheTextIsRewritten) {
  const QString program = QString::fromUtf8(kProgram);
  QString crOnly = program;
  crOnly.replace(u'\n', u'\r');
  QString crLf = program;
  crLf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  const FoldCase cases[] = {
      {"a header on the first line", program, {0}, "1", " first ", {1, 2}},
      {"every top-level header", program, {0, 4, 7}, "1 5 8", " first f outer ", {1, 2, 5, 6, 8, 9, 10}},
      {"only the outermost of nested folds", program, {8, 7}, "8", " outer ", {8, 9, 10}},
      {"an inner fold alone", program, {8}, "9", " inner ", {9}},
      {"nothing folded", program, {}, "", " ", {}},
      {"after a line above the first header", "' top\n" + program, {1, 8}, "2 9", " first outer ", {2, 3, 9, 10, 11}},
      {"CR LF line ends", crLf, {0, 7}, "1 8", " first outer ", {1, 2, 8, 9, 10}},
      {"lone CR line ends", crOnly, {4, 7}, "5 8", " f outer ", {5, 6, 8, 9, 10}},
  };
  for (const FoldCase& c : cases) {
    SCOPED_TRACE(c.what);
    PutFolded(c.text, c.fold);
    ASSERT_EQ(HiddenLines(), c.hidden) << "the folds of the case";
    PutCaretOnLine(static_cast<int>(s().lineCount()) - 1);
    CollectFoldState(app(), index);
    EXPECT_EQ(doc().foldedLines, QString::fromUtf8(c.foldedLines));
    EXPECT_EQ(doc().foldedSubNames, QString::fromUtf8(c.foldedSubNames));
    const int caret = doc().caretPosition;

    // The text rewritten (one undo step): the folds go with the old text.
    SetEditorText(ed, c.text, false);
    ASSERT_EQ(HiddenLines(), QList<int>{});
    s().send(S::SCI_GOTOPOS, 0);

    RestoreDocumentView(app(), index);
    EXPECT_EQ(HiddenLines(), c.hidden);
    EXPECT_EQ(s().currentPos(), caret);
    EXPECT_TRUE(s().modified()) << "restoring the view keeps the unsaved edit";
    EXPECT_TRUE(s().send(S::SCI_CANUNDO)) << "and its undo";
  }
}

TEST_F(FoldState, RememberedNamesFollowTheirHeadersAfterLinesMoved) {
  PutFolded(QString::fromUtf8(kProgram), {4});
  CollectFoldState(app(), index);
  ASSERT_EQ(doc().foldedLines, "5");
  // Expanded on open, the names are taken from the folded lines.
  RememberFoldedSubNames(app(), index);
  EXPECT_EQ(doc().foldedSubNames, " f ");
  EXPECT_EQ(HiddenLines(), QList<int>{});

  // Two lines above the indented header; F9 folds it at its new line.
  s().send(S::SCI_GOTOPOS, 0);
  s().sendText(S::SCI_INSERTTEXT, 0, "' one\n' two\n");
  d.post(Event::Menu(Item::RecomputeFolds));
  EXPECT_EQ(doc().foldedLines, "7");
  EXPECT_EQ(HiddenLines(), (QList<int>{7, 8}));

  // Whole names: a folded "f" does not fold "fa" or "ff".
  EXPECT_EQ(RecomputeFoldedLinesOf("sub fa\nend sub\nsub ff\nend sub\nsub f(x)\nend sub\n", " f "), QList<int>{5});
  EXPECT_EQ(FoldedSubNamesOf("sub ab\nsub cab\n", {2, 1}), " cab ab ");
  // The lines are the editor's lines, lone CR line ends included.
  EXPECT_EQ(RecomputeFoldedLinesOf("sub a\rend sub\r\n  sub f\rend sub", " f "), QList<int>{3});
  EXPECT_EQ(FoldedSubNamesOf("sub a\rend sub\r\nsub f\rend sub", {1, 3}), " a f ");
}

TEST_F(FoldState, UnfoldAllExpandsThenContracts) {
  PutFolded(QString::fromUtf8(kProgram), {});
  d.post(Event::Menu(Item::FoldAll));
  EXPECT_EQ(CollapsedHeaders(*ed), (QList<int>{1, 5, 8}));
  doc().foldedLines = QStringLiteral("1 5 8");

  d.post(Event::Menu(Item::UnfoldAll));
  EXPECT_TRUE(s().send(S::SCI_GETALLLINESVISIBLE));
  EXPECT_EQ(doc().foldedLines, "") << "expanding forgets the folded lines";

  d.post(Event::Menu(Item::UnfoldAll));
  EXPECT_EQ(CollapsedHeaders(*ed), (QList<int>{1, 5, 8}));

  d.post(Event::Menu(Item::UnfoldAll));
  EXPECT_TRUE(s().send(S::SCI_GETALLLINESVISIBLE));
}

TEST_F(FoldState, BookmarkJumpsWrapAround) {
  SetEditorText(ed, QStringLiteral("0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n"), true);
  for (int line : {2, 5, 9}) {
    PutCaretOnLine(line);
    d.post(Event::Menu(Item::ToggleBookmark));
  }
  EXPECT_EQ(BookmarkedLines(*ed), (QList<int>{2, 5, 9}));

  struct Jump {
    int from;
    Item item;
    int to;
  };
  const Jump jumps[] = {
      {0, Item::NextBookmark, 2},      {2, Item::NextBookmark, 5},      {5, Item::NextBookmark, 9},
      {9, Item::NextBookmark, 2},      {10, Item::NextBookmark, 2},     {11, Item::NextBookmark, 2},
      {10, Item::PreviousBookmark, 9}, {9, Item::PreviousBookmark, 5},  {3, Item::PreviousBookmark, 2},
      {2, Item::PreviousBookmark, 9},  {0, Item::PreviousBookmark, 9},  {1, Item::PreviousBookmark, 9},
  };
  for (const Jump& j : jumps) {
    PutCaretOnLine(j.from);
    d.post(Event::Menu(j.item));
    EXPECT_EQ(CaretLine(), j.to) << "from " << j.from << " item " << +j.item;
  }

  // Toggling again removes one; clearing removes all, and then nothing moves.
  PutCaretOnLine(5);
  d.post(Event::Menu(Item::ToggleBookmark));
  EXPECT_EQ(BookmarkedLines(*ed), (QList<int>{2, 9}));
  d.post(Event::Menu(Item::ClearAllBookmarks));
  EXPECT_EQ(BookmarkedLines(*ed), QList<int>{});
  for (Item item : {Item::NextBookmark, Item::PreviousBookmark}) {
    PutCaretOnLine(4);
    d.post(Event::Menu(item));
    EXPECT_EQ(CaretLine(), 4);
  }

  // Bookmarks go into the record and come back from it.
  for (int line : {0, 5, 9}) s().send(S::SCI_MARKERADD, line, 0);
  CollectFoldState(app(), index);
  EXPECT_EQ(doc().bookmarks, "0 5 9");
}

TEST_F(FoldState, GotoLineTakesTheLeadingNumberOfTheAnswer) {
  struct Answer {
    std::optional<QString> text;
    int line;  // the caret line after, from line 4
    bool atEnd = false;  // past the last line: the end of the text
  };
  const Answer answers[] = {
      {QStringLiteral("0"), 4},  {QStringLiteral("abc"), 4}, {QStringLiteral(""), 4},
      {QStringLiteral("-3"), 4}, {std::nullopt, 4},          {QStringLiteral("12abc"), 11},
      {QStringLiteral("1"), 0},  {QStringLiteral(" 7"), 6},  {QStringLiteral("999"), 14, true},
  };
  QString text;
  for (int i = 0; i < 15; ++i) text += QStringLiteral("line %1\n").arg(i);
  text.chop(1);
  SetEditorText(ed, text, true);
  for (const Answer& a : answers) {
    SCOPED_TRACE(a.text ? a.text->toStdString() : "Cancel");
    PutCaretOnLine(4);
    d.requesters().clear();
    d.requesters().answerText(a.text);
    d.post(Event::Menu(Item::GotoLine));
    ASSERT_EQ(d.requesters().asked().size(), 1u);
    EXPECT_EQ(d.requesters().asked()[0].title, "Goto");
    EXPECT_EQ(d.requesters().asked()[0].text, "Line Number");
    EXPECT_EQ(CaretLine(), a.line);
    EXPECT_EQ(s().currentPos(), a.atEnd ? s().length() : s().positionFromLine(a.line))
        << "a jump goes to the start of the line";
  }
}

TEST_F(FoldState, ReturnFromSubGoesBackOnce) {
  SetEditorText(ed, QStringLiteral("a\nb\nc\nd\n"), true);
  PutCaretOnLine(0);
  app().state().returnLine = 2;
  d.post(Event::Menu(Item::ReturnFromSub));
  EXPECT_EQ(CaretLine(), 2);
  EXPECT_EQ(app().state().returnLine, -1);
  PutCaretOnLine(0);
  d.post(Event::Menu(Item::ReturnFromSub));
  EXPECT_EQ(CaretLine(), 0);
}

TEST_F(FoldState, TheItemsWorkOnTheSelectedTabsDocument) {
  SetEditorText(ed, QString::fromUtf8(kProgram), true);
  PutCaretOnLine(3);
  ASSERT_GE(NewDocument(app()), 0);
  EditorView* second = CurrentEditor(app());
  ASSERT_NE(second, ed);
  LexerAddWords(*second, "sub function", 1, WordOpensFold | WordClosesFold);
  SetEditorText(second, QString::fromUtf8(kProgram), true);
  second->sci().send(S::SCI_GOTOLINE, 5);
  // The record list points at the first document; the tab bar's selection decides.
  const Item items[] = {Item::ToggleBookmark, Item::FoldAll, Item::UnfoldAll, Item::UnfoldAll,
                        Item::PreviousBookmark, Item::NextBookmark, Item::GotoLine, Item::ClearAllBookmarks};
  for (Item item : items) {
    app().state().docs.list.setCurrent(index);
    if (item == Item::GotoLine) d.requesters().answerText(QStringLiteral("2"));
    d.post(Event::Menu(item));
    if (item == Item::ToggleBookmark) { EXPECT_EQ(BookmarkedLines(*second), QList<int>{5}); }
    if (item == Item::GotoLine) { EXPECT_EQ(second->sci().lineFromPosition(second->sci().currentPos()), 1); }
    if (item == Item::UnfoldAll) { EXPECT_EQ(app().state().docs.list.currentIndex(), index + 1); }
  }
  EXPECT_EQ(CollapsedHeaders(*second), (QList<int>{1, 5, 8}));
  EXPECT_EQ(BookmarkedLines(*second), QList<int>{});
  EXPECT_EQ(BookmarkedLines(*ed), QList<int>{});
  EXPECT_EQ(HiddenLines(), QList<int>{}) << "the first document stays unfolded";
  EXPECT_EQ(CaretLine(), 3) << "and its caret stays";
}

}  // namespace
}  // namespace vendle::test
