// Find, replace and find-all through the running program: window 6's
// gadgets and events, the wrap-around, the string and comment skips on text
// the lexer has not styled yet, Replace All, and the Find All window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QLabel>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "documents/ui/tab_strip.h"
#include "editing_test_support.h"
#include "editor/lexer.h"
#include "editor/ui/editor_lexer.h"
#include "editor/ui/find_window.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "qt_print.h"
#include "test_files.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;
constexpr int kFindWin = +WindowId::FindReplace;
constexpr int kFindAllWin = +WindowId::FindAll;

class FindReplace : public ::testing::Test {
 protected:
  App& app() { return d.app(); }
  EditorView& editor() {
    EditorView* ed = CurrentEditor(app());
    EXPECT_NE(ed, nullptr);
    return *ed;
  }
  template <class W>
  W* control(ControlId id) {
    return qobject_cast<W*>(app().toolkit().control(+id));
  }
  // Opens window 6 with `search` (and `replacement`) typed in.
  void openFind(const QString& search, const QString& replacement = QString()) {
    d.menu(Item::FindReplace);
    ASSERT_TRUE(app().toolkit().windowExists(kFindWin));
    control<QComboBox>(ControlId::FindText)->setEditText(search);
    control<QLineEdit>(ControlId::ReplaceText)->setText(replacement);
  }
  void click(ControlId id, int window = kFindWin) { d.post(Event::Control(+id, 0, window)); }
  QString open(const QString& name, const QByteArray& bytes) {
    WriteFile(d.root() + name, bytes);
    OpenDocument(app(), d.root() + name, false);
    return d.root() + name;
  }
  int indexOf(const QString& name) {
    const DocumentList& list = app().state().docs.list;
    for (int i = 0; i < list.size(); ++i)
      if (list.at(i).name == name) return i;
    return -1;
  }
  void show(int index) {
    SwitchDocumentTab(app(), index, app().state().docs.currentTabIndex);
    app().tabStrip().select(index);
  }
  QStringList messages() const {
    QStringList out;
    for (const Asked& a : d.requesters().asked())
      if (a.kind == "message") out.append(a.title + ": " + a.text);
    return out;
  }

  AppDriver d;
};

TEST_F(FindReplace, WindowSixHasEveryGadgetWithItsTextAndPlace) {
  d.menu(Item::FindReplace);
  QWidget* w = app().toolkit().window(kFindWin);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "Find");
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(w->parentWidget(), app().mainWidget());
  struct Gadget {
    ControlId id;
    const char* text;
    QRect place;
  };
  const Gadget gadgets[] = {
      {ControlId::FindLabel, "Search for:", {30, 10, 110, 25}},
      {ControlId::FindText, "Search for:", {120, 5, 250, 25}},
      {ControlId::ReplaceCheck, "Replace with:", {5, 35, 110, 25}},
      {ControlId::ReplaceText, "Replace with:", {120, 35, 250, 25}},
      {ControlId::MatchCaseCheck, "Case Sensitive", {5, 80, 150, 25}},
      {ControlId::SkipCommentsCheck, "Don't search comments", {170, 80, 150, 25}},
      {ControlId::WholeWordCheck, "Whole words only", {5, 110, 150, 25}},
      {ControlId::SkipStringsCheck, "Don't search strings", {170, 110, 150, 25}},
      {ControlId::FindNextButton, "Find Next", {5, 140, 75, 25}},
      {ControlId::FindPrevButton, "Find Prev", {82, 140, 75, 25}},
      {ControlId::ReplaceButton, "Replace", {159, 140, 70, 25}},
      {ControlId::ReplaceAllButton, "Replace All", {231, 140, 75, 25}},
      {ControlId::CloseFindButton, "Close", {308, 140, 70, 25}},
      {ControlId::FindAllButton, "Find all in open files", {5, 170, 160, 25}},
  };
  for (const Gadget& g : gadgets) {
    SCOPED_TRACE(g.text);
    QWidget* c = app().toolkit().control(+g.id);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->parentWidget(), w);
    if (qobject_cast<QCheckBox*>(c)) {
      // A check box keeps its place and grows when its text needs more room.
      EXPECT_EQ(c->pos(), g.place.topLeft());
      EXPECT_EQ(c->height(), g.place.height());
      EXPECT_GE(c->width(), g.place.width());
      EXPECT_GE(c->width(), c->sizeHint().width()) << "the text is cut";
      EXPECT_LE(c->geometry().right(), w->width()) << "it runs out of the window";
    } else {
      EXPECT_EQ(c->geometry(), g.place);
    }
    if (auto* b = qobject_cast<QAbstractButton*>(c)) {
      EXPECT_EQ(b->text(), g.text);
    }
    if (auto* l = qobject_cast<QLabel*>(c)) {
      EXPECT_EQ(l->text(), g.text);
    }
    EXPECT_FALSE(c->accessibleName().isEmpty());
  }
  // Replace and Replace All follow the "Replace with:" box.
  EXPECT_FALSE(control<QPushButton>(ControlId::ReplaceButton)->isEnabled());
  control<QCheckBox>(ControlId::ReplaceCheck)->click();
  EXPECT_TRUE(control<QPushButton>(ControlId::ReplaceButton)->isEnabled());
  EXPECT_TRUE(control<QPushButton>(ControlId::ReplaceAllButton)->isEnabled());
}

TEST_F(FindReplace, FindNextAndPrevWrapAroundTheDocument) {
  struct Case {
    const char* what;
    const char* before;
    bool f3;        // F3 in the window, else the button of the direction
    int direction;
    const char* after;
  };
  const Case cases[] = {
      {"forward to the next match", "|x = 1\nprint x\n", true, 0, "{x} = 1\nprint x\n"},
      {"forward after the last match wraps to the first", "x = 1\nprint x|\n", true, 0,
       "{x} = 1\nprint x\n"},
      {"backward before the first match wraps to the last", "a = |x\nprint x\n", false, -1,
       "a = x\nprint {x}\n"},
      {"backward finds the only match on the last line, past the line's start", "|a = 1\r\nb = 2\r\nprint x",
       false, -1, "a = 1\r\nb = 2\r\nprint {x}"},
      {"forward finds the only match on the last line", "a = 1\rb = 2\rprint x|", true, 0,
       "a = 1\rb = 2\rprint {x}"},
      {"no match leaves the caret at the start", "a = 1\nb| = 2\n", true, 0, "|a = 1\nb = 2\n"},
  };
  openFind("x");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PutMarked(editor(), c.before);
    if (c.f3) d.post(Event::Menu(+Item::FindWindowF3, kFindWin));
    else click(c.direction == 0 ? ControlId::FindNextButton : ControlId::FindPrevButton);
    EXPECT_EQ(ShowMarked(editor()), c.after);
  }
  // F3 of the main menu goes to the Find window while it is open.
  PutMarked(editor(), "|x x");
  d.menu(Item::FindNext);
  EXPECT_EQ(ShowMarked(editor()), "{x} x");
  d.menu(Item::FindNext);
  EXPECT_EQ(ShowMarked(editor()), "x {x}");
  EXPECT_EQ(app().settings().findHistory.value(0), "x");
}

// A search that finds nothing after the wrap says so in the status bar, with
// no message to answer; a later match brings the document's path back.
// A word that stands only in a string is not found while strings are
// skipped (the default), and that is said too.
TEST_F(FindReplace, ASearchThatFindsNothingSaysSoInTheStatusBar) {
  PutMarked(editor(), "|PRINT \"hello\"\r\nx = 1\r\n");
  const QString path = StatusFieldText(app(), StatusField::Path);
  openFind("hello");
  ASSERT_TRUE(control<QCheckBox>(ControlId::SkipStringsCheck)->isChecked());
  click(ControlId::FindNextButton);
  d.processEvents();
  EXPECT_TRUE(d.requesters().asked().empty());
  const QString said = StatusFieldText(app(), StatusField::Path);
  EXPECT_TRUE(said.contains(QStringLiteral("not found"), Qt::CaseInsensitive)) << said.toStdString();
  EXPECT_TRUE(said.contains(QStringLiteral("hello"))) << said.toStdString();
  control<QComboBox>(ControlId::FindText)->setEditText(QStringLiteral("x"));
  click(ControlId::FindPrevButton);
  d.processEvents();
  EXPECT_EQ(StatusFieldText(app(), StatusField::Path), path);
}

// The two skip boxes do not apply to a search of every open file: while
// its button has the keyboard they show disabled.
TEST_F(FindReplace, FindAllInOpenFilesShowsTheSkipBoxesDisabled) {
  openFind("x");
  auto* strings = control<QCheckBox>(ControlId::SkipStringsCheck);
  auto* comments = control<QCheckBox>(ControlId::SkipCommentsCheck);
  QWidget* findAll = app().toolkit().control(+ControlId::FindAllButton);
  ASSERT_TRUE(strings && comments && findAll);
  EXPECT_TRUE(strings->isEnabled());
  findAll->setFocus();
  d.processEvents();
  EXPECT_FALSE(strings->isEnabled());
  EXPECT_FALSE(comments->isEnabled());
  control<QComboBox>(ControlId::FindText)->setFocus();
  d.processEvents();
  EXPECT_TRUE(strings->isEnabled());
  EXPECT_TRUE(comments->isEnabled());
}

// A long program whose only matches outside strings and comments lie far
// beyond what the lexer has styled.
QByteArray LongProgram(int lines) {
  QByteArray text;
  for (int i = 0; i < lines; ++i) {
    if (i == lines - 30) text += "Print \"target\" ' the target in a string\r\n";
    else if (i == lines - 20) text += "  target = target + 1 ' found here\r\n";
    else text += "  value" + QByteArray::number(i) + " = value" + QByteArray::number(i) + " + 1 ' target later\r\n";
  }
  return text;
}

TEST_F(FindReplace, StringsAndCommentsAreSkippedWithTheMatchFarBeyondTheStyledText) {
  const int kLines = 20000;
  open("long.bas", LongProgram(kLines));
  EditorView& ed = editor();
  const Sci s = ed.sci();
  ASSERT_GT(s.length(), 300000);
  app().settings().dontSearchInStrings = 1;
  app().settings().dontSearchInComments = 1;
  openFind("target");
  s.send(S::SCI_GOTOPOS, 0);
  ASSERT_LT(s.send(S::SCI_GETENDSTYLED), s.positionFromLine(kLines / 2)) << "the text is not styled yet";

  click(ControlId::FindNextButton);
  EXPECT_EQ(s.lineFromPosition(s.send(S::SCI_GETSELECTIONSTART)), kLines - 20);
  EXPECT_EQ(GetSelectedText(&ed), "target");
  EXPECT_EQ(s.send(S::SCI_GETSELECTIONSTART), s.positionFromLine(kLines - 20) + 2);

  // With comments searched, the first comment holds the first match.
  control<QCheckBox>(ControlId::SkipCommentsCheck)->click();
  EXPECT_EQ(app().settings().dontSearchInComments, 0);
  s.send(S::SCI_GOTOPOS, 0);
  click(ControlId::FindNextButton);
  EXPECT_EQ(s.lineFromPosition(s.send(S::SCI_GETSELECTIONSTART)), 0);
  // And with strings searched too, backward from the end finds the string before the code.
  control<QCheckBox>(ControlId::SkipStringsCheck)->click();
  control<QCheckBox>(ControlId::SkipCommentsCheck)->click();
  EXPECT_EQ(app().settings().dontSearchInStrings, 0);
  s.send(S::SCI_GOTOPOS, s.positionFromLine(kLines - 21));
  click(ControlId::FindPrevButton);
  EXPECT_EQ(s.lineFromPosition(s.send(S::SCI_GETSELECTIONSTART)), kLines - 30);
  EXPECT_EQ(s.send(S::SCI_GETSELECTIONSTART), s.positionFromLine(kLines - 30) + 7);
}

TEST_F(FindReplace, FindInEditorAnswersNoMatchForAnEmptyTextOrDocument) {
  EditorView& ed = editor();
  PutMarked(ed, "|");
  EXPECT_EQ(FindInEditor(app(), ed, "x", true, 0), -1);
  PutMarked(ed, "|x");
  EXPECT_EQ(FindInEditor(app(), ed, "", true, 0), -1);
  EXPECT_EQ(FindInEditor(app(), ed, "x", true, 0), 0);
  EXPECT_EQ(ShowMarked(ed), "{x}");
}

TEST_F(FindReplace, ReplaceAllEndsCountsAndIsOneUndoStep) {
  struct Case {
    const char* what;
    QByteArray text;
    const char* search;
    const char* replacement;
    int skip;  // the string and comment options
    bool wholeWord;
    QByteArray after;
    const char* message;  // null: none
  };
  QByteArray big;
  for (int i = 0; i < 5000; ++i) big += "x = x + 1 ' x\r\n";
  QByteArray bigAfter;
  for (int i = 0; i < 5000; ++i) bigAfter += "xx = xx + 1 ' x\r\n";
  const Case cases[] = {
      {"the replacement holds the search text", "x x\nx", "x", "xx", 0, false, "xx xx\nxx", "Replace: Replaced 3 occurences."},
      {"a real-sized program, comments skipped", big, "x", "xx", 1, false, bigAfter, "Replace: Replaced 10000 occurences."},
      {"non-ASCII in text and replacement", "a = \"é\" : é = 1\n", "é", "ü€", 0, false,
       "a = \"ü€\" : ü€ = 1\n", "Replace: Replaced 2 occurences."},
      {"strings are skipped", "a = \"é\" : é = 1\n", "é", "e", 1, false, "a = \"é\" : e = 1\n",
       "Replace: Replaced 1 occurences."},
      {"a REM remark is a comment, a word that begins with REM is not", "x = 1 : Rem x\r\nremx = x\r\n", "x", "y", 1,
       false, "y = 1 : Rem x\r\nremy = y\r\n", "Replace: Replaced 3 occurences."},
      {"whole words only", "count = counter\r\n", "count", "n", 0, true, "n = counter\r\n", "Replace: Replaced 1 occurences."},
      {"no match", "a\n", "x", "y", 0, false, "a\n", "Replace: Replaced 0 occurences."},
      {"an empty document", "", "x", "y", 0, false, "", "Replace: Replaced 0 occurences."},
      {"an empty search text does nothing", "x\n", "", "y", 0, false, "x\n", nullptr},
  };
  openFind("");
  control<QCheckBox>(ControlId::ReplaceCheck)->click();
  EditorView& ed = editor();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    app().settings().dontSearchInStrings = c.skip;
    app().settings().dontSearchInComments = c.skip;
    control<QCheckBox>(ControlId::WholeWordCheck)->setChecked(c.wholeWord);
    control<QComboBox>(ControlId::FindText)->setEditText(QString::fromUtf8(c.search));
    control<QLineEdit>(ControlId::ReplaceText)->setText(QString::fromUtf8(c.replacement));
    SetEditorBytes(&ed, c.text, true);
    ed.sci().send(S::SCI_GOTOPOS, 1);
    d.requesters().clear();
    click(ControlId::ReplaceAllButton);
    EXPECT_EQ(GetEditorBytes(&ed), c.after);
    EXPECT_EQ(messages(), c.message ? QStringList{c.message} : QStringList{});
    if (c.after != c.text) {
      EXPECT_EQ(ed.sci().currentPos(), 1) << "the caret goes back";
      ed.sci().send(S::SCI_UNDO);
      EXPECT_EQ(GetEditorBytes(&ed), c.text) << "one undo step";
      EXPECT_FALSE(ed.sci().send(S::SCI_CANUNDO));
    }
  }
}

TEST_F(FindReplace, ReplaceReplacesTheSelectionOnly) {
  openFind("x", "yy");
  PutMarked(editor(), "a{b}c x");
  click(ControlId::ReplaceButton);
  EXPECT_EQ(ShowMarked(editor()), "ayy|c x");
}

TEST_F(FindReplace, FindAllListsTheLastTabFirstWithoutSwitchingTabs) {
  open("first.bas", "Print count\r\nx = 1\r\n");
  open("second_file.bas", "x = 2\ncount = count + 1\n' count\n");
  Documents& docs = app().state().docs;
  const int first = indexOf("first.bas"), second = indexOf("second_file.bas");
  ASSERT_LT(first, second);
  ASSERT_EQ(second, docs.list.size() - 1);
  show(first);
  EditorLexer* otherLexer = LexerOf(*EditorOfDocument(app(), second));
  otherLexer->resetStats();
  openFind("COUNT");

  click(ControlId::FindAllButton);
  EXPECT_EQ(FindAllRowsShown(app()), (QStringList{
                                          "second_file.bas      2   count = count + 1",
                                          "second_file.bas      3   ' count",
                                          "      first.bas      1   Print count",
                                      }));
  EXPECT_EQ(docs.currentTabIndex, first);
  EXPECT_EQ(app().tabStrip().selected(), first);
  EXPECT_EQ(otherLexer->stats().passes, 0) << "another document is not restyled";
  QWidget* w = app().toolkit().window(kFindAllWin);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "Find All");

  // Case and whole words as the window says.
  control<QCheckBox>(ControlId::MatchCaseCheck)->setChecked(true);
  click(ControlId::FindAllButton);
  EXPECT_TRUE(FindAllRowsShown(app()).isEmpty());
  control<QCheckBox>(ControlId::MatchCaseCheck)->setChecked(false);
  control<QComboBox>(ControlId::FindText)->setEditText("coun");
  control<QCheckBox>(ControlId::WholeWordCheck)->setChecked(true);
  click(ControlId::FindAllButton);
  EXPECT_TRUE(FindAllRowsShown(app()).isEmpty());

  // A click on a row goes to its document and line.
  control<QCheckBox>(ControlId::WholeWordCheck)->setChecked(false);
  click(ControlId::FindAllButton);
  auto* list = control<QListWidget>(ControlId::FindAllList);
  list->setCurrentRow(1);
  click(ControlId::FindAllList, kFindAllWin);
  EXPECT_EQ(docs.currentTabIndex, second);
  EXPECT_EQ(app().tabStrip().selected(), second);
  EXPECT_EQ(editor().sci().lineFromPosition(editor().sci().currentPos()), 2);
}

TEST_F(FindReplace, ARowClickAfterItsTabWasClosedDoesNothing) {
  open("z.bas", "q\r\n");
  open("a.bas", "x = 1\r\n");
  open("b.bas", "y = 1\r\nx = y\r\n");
  open("c.bas", "z\r\n");
  Documents& docs = app().state().docs;
  show(indexOf("a.bas"));
  openFind("x");
  click(ControlId::FindAllButton);
  ASSERT_EQ(FindAllRowsShown(app()), (QStringList{"b.bas      2   x = y", "a.bas      1   x = 1"}));
  auto* list = control<QListWidget>(ControlId::FindAllList);

  // b.bas (row 0) closes; a click on its row changes nothing.
  CloseDocumentTab(app(), indexOf("b.bas"));
  ASSERT_EQ(indexOf("b.bas"), -1);
  show(indexOf("c.bas"));
  list->setCurrentRow(0);
  click(ControlId::FindAllList, kFindAllWin);
  EXPECT_EQ(docs.list.at(docs.currentTabIndex).name, "c.bas") << "the document of the row is gone";

  // a.bas moved when a tab before it closed: it is found where it went.
  const int a = indexOf("a.bas");
  ASSERT_GT(a, 0);
  CloseDocumentTab(app(), indexOf("z.bas"));
  ASSERT_EQ(indexOf("a.bas"), a - 1);
  show(indexOf("c.bas"));
  list->setCurrentRow(1);
  click(ControlId::FindAllList, kFindAllWin);
  EXPECT_EQ(docs.list.at(docs.currentTabIndex).name, "a.bas");
}

TEST_F(FindReplace, QuickFindTakesTheSigilAfterTheSelection) {
  open("q.bas", "DIM count% = 1\r\ncounter = 2\r\n  count% = count% + 1\r\nPrint count\r\n");
  EditorView& ed = editor();
  const Sci s = ed.sci();
  s.send(S::SCI_SETSEL, 4, 9);  // "count" of count%
  d.menu(Item::QuickFind);
  EXPECT_EQ(GetSelectedText(&ed), "count%");
  EXPECT_EQ(FindAllRowsShown(app()), (QStringList{"     1   DIM count% = 1", "     3   count% = count% + 1"}));
  EXPECT_EQ(app().state().returnLine, 0);

  // With a blank after it, "count" is looked for whole: counter is no result.
  const Sci::Pos at = s.positionFromLine(3) + 6;
  s.send(S::SCI_SETSEL, at, at + 5);
  d.menu(Item::QuickFind);
  EXPECT_EQ(GetSelectedText(&ed), "count");
  EXPECT_EQ(FindAllRowsShown(app()), (QStringList{"     4   Print count"}));
}

TEST_F(FindReplace, ClosingStoresTheOptionsAndPlacesTheCaret) {
  PutMarked(editor(), "a x b x|");
  app().settings().returnCursorAfterSearch = 0;
  openFind("x");
  QWidget* w = app().toolkit().window(kFindWin);
  w->move(321, 123);
  w->resize(400, 230);
  d.processEvents();
  control<QCheckBox>(ControlId::MatchCaseCheck)->setChecked(true);
  control<QCheckBox>(ControlId::WholeWordCheck)->setChecked(true);
  control<QCheckBox>(ControlId::ReplaceCheck)->click();
  click(ControlId::FindNextButton);
  ASSERT_EQ(ShowMarked(editor()), "a {x} b x");
  d.post(Event::OfKind(EventKind::Close, kFindWin));  // the close box and Escape
  d.processEvents();
  EXPECT_FALSE(app().toolkit().windowExists(kFindWin));
  EXPECT_FALSE(app().toolkit().hasShortcut(kFindWin, "F3"));
  EXPECT_EQ(ShowMarked(editor()), "a x| b x") << "the match stays, unselected";
  const WindowRect& r = app().settings().findWindow;
  EXPECT_EQ(r.extra1, 1);
  EXPECT_EQ(r.extra2, 1);
  EXPECT_EQ((QRect(r.x, r.y, r.w, r.h)), QRect(321, 123, 400, 230));

  // Opened again at the stored place with the stored options; with "Return
  // cursor after search" the caret goes back to where the window opened.
  app().settings().returnCursorAfterSearch = 1;
  PutMarked(editor(), "a| x b x");
  openFind("x");
  w = app().toolkit().window(kFindWin);
  EXPECT_EQ(w->pos(), QPoint(321, 123));
  EXPECT_EQ(w->size(), QSize(400, 230));
  EXPECT_TRUE(control<QCheckBox>(ControlId::MatchCaseCheck)->isChecked());
  EXPECT_TRUE(control<QCheckBox>(ControlId::WholeWordCheck)->isChecked());
  EXPECT_TRUE(control<QCheckBox>(ControlId::ReplaceCheck)->isChecked());
  EXPECT_EQ(control<QComboBox>(ControlId::FindText)->count(), 1);
  click(ControlId::FindNextButton);
  click(ControlId::CloseFindButton);
  d.processEvents();
  EXPECT_EQ(ShowMarked(editor()), "a| x b x");
}

TEST_F(FindReplace, TheExitStoresTheOptionsOfAnOpenFindWindow) {
  openFind("x");
  control<QCheckBox>(ControlId::MatchCaseCheck)->setChecked(true);
  d.shutDown();
  EXPECT_TRUE(ReadFile(d.dataFolder() + "Vendle5.inf").contains("FindCase = 1"));
}

}  // namespace
}  // namespace vendle::test
