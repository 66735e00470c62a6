// The formatter, the variable report and the sub and function list in the
// running program: menu items posted to the app, the editor set up by the
// program, real-sized programs.
#include <gtest/gtest.h>

#include <QListWidget>

#include "app_driver.h"
#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/editor_commands.h"
#include "editor/ui/syntax_commands.h"
#include "platform/event.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "qt_print.h"
#include "shell/ui/info_window.h"
#include "tools/formatter.h"
#include "tools/sub_outline.h"
#include "tools/variable_report.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

// An unindented program of about `kb` kilobytes: subs with loops and
// conditions, a label, "'>" comments, CR LF line ends and some non-ASCII.
QString Program(int kb) {
  QString t = QStringLiteral("' Ausgabe für °C\r\nOPTION EXPLICIT\r\nDIM INTEGER total\r\nstart:\r\n");
  for (int n = 0; t.size() < kb * 1024; ++n) {
    t += QStringLiteral("'> part %1\r\nSUB Part%1(a, b)\r\nLOCAL i\r\nFOR i = 1 TO a\r\nIF i MOD 2 = 0 THEN\r\n"
                        "total = total + i : PRINT \"even: \"; i\r\nELSE\r\nPRINT \"odd\"\r\nENDIF\r\nNEXT i\r\n"
                        "DO WHILE b > 0\r\nb = b - 1\r\nLOOP\r\nEND SUB\r\n\r\n")
             .arg(n);
  }
  return t + QStringLiteral("Part1 3, 4\r\nGOTO start\r\n");
}

class ToolsApp : public ::testing::Test {
 protected:
  ToolsApp() {
    ed = CurrentEditor(app());
    EXPECT_NE(ed, nullptr) << "the program starts with a document";
  }
  App& app() { return d.app(); }
  Sci s() { return ed->sci(); }
  void Put(const QString& text) {
    SetEditorText(ed, text, true);
    s().send(S::SCI_SETSAVEPOINT);
    s().send(S::SCI_COLOURISE, 0, -1);
  }
  void Menu(Item item) {
    d.menu(item);
    d.processEvents();
  }
  int CaretLine() { return static_cast<int>(s().lineFromPosition(s().currentPos())); }
  int TopDocLine() {
    return static_cast<int>(s().send(S::SCI_DOCLINEFROMVISIBLE, s().send(S::SCI_GETFIRSTVISIBLELINE)));
  }
  FormatOptions OptionsOfSettings() {
    const Settings& st = app().settings();
    FormatOptions o;
    o.indentLabels = st.indentLabels;
    o.indentComments = st.indentComments;
    o.tabSize = st.tabSize;
    o.useSpaces = st.useSpacesForTabs != 0;
    o.lineEnd = st.lineEndingsMode == 1 ? QStringLiteral("\n") : QStringLiteral("\r\n");
    return o;
  }
  QListWidget* SubList() {
    return qobject_cast<QListWidget*>(app().toolkit().control(+ControlId::SubListBox));
  }
  QStringList SubItems() {
    QStringList out;
    if (QListWidget* l = SubList())
      for (int i = 0; i < l->count(); ++i) out.append(l->item(i)->text());
    return out;
  }
  void Click(int row) {
    SubList()->setCurrentRow(row);
    d.post(Event::Control(+ControlId::SubListBox, 0, +WindowId::SubList));
    d.processEvents();
  }

  AppDriver d;
  EditorView* ed = nullptr;
};

TEST_F(ToolsApp, FormatDocumentKeepsFoldsCaretAndTopLineAndUndoesInOneStep) {
  const QString original = Program(300);
  Put(original);
  // Two subs folded above the view, one inside it.
  const QList<int> headers = {6, 21, 516};  // 1-based
  for (int line1 : headers) s().send(S::SCI_FOLDLINE, line1 - 1, S::SC_FOLDACTION_CONTRACT);
  ASSERT_EQ(CollapsedHeaders(*ed), headers) << "the program's own set-up folds subs";
  s().send(S::SCI_GOTOLINE, 520);
  s().send(S::SCI_SETFIRSTVISIBLELINE, s().send(S::SCI_VISIBLEFROMDOCLINE, 505));
  ASSERT_EQ(TopDocLine(), 505);
  s().send(S::SCI_GOTOLINE, 512);

  Menu(Item::FormatIndentation);
  EXPECT_EQ(GetEditorText(ed), FormatIndentationText(original, OptionsOfSettings()));
  EXPECT_NE(GetEditorText(ed), original);
  EXPECT_EQ(CollapsedHeaders(*ed), headers);
  EXPECT_EQ(CaretLine(), 512);
  EXPECT_EQ(TopDocLine(), 505);
  EXPECT_TRUE(s().modified());
  EXPECT_EQ(s().lineCount(), SplitLinesToList(original).size() + 1);

  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(ed), original) << "one Undo gives back the text as it was";
  EXPECT_FALSE(s().modified());
}

TEST_F(ToolsApp, FormatWithHighlightUserVarsKeepsTheUndoHistory) {
  app().settings().highlightUserVars = 1;
  const QString original = "SUB Show(a)\r\nPRINT a\r\nEND SUB\r\nDIM counter\r\ncounter = 1\r\nshow counter\r\n";
  Put(original);
  s().sendText(S::SCI_ADDTEXT, 2, "x\n");  // an unsaved edit before the format
  const QString edited = GetEditorText(ed);
  Menu(Item::FormatIndentation);
  EXPECT_TRUE(GetEditorText(ed).contains("  Show counter\r\n")) << "the call takes the declared case";
  EXPECT_TRUE(s().modified());
  EXPECT_TRUE(app().state().docs.list.current()->userVariableNames.contains(" counter "));
  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(ed), edited);
  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(ed), original) << "the earlier edit is still in the history";
}

TEST_F(ToolsApp, AnAtTinyDocumentIsNumberedNotIndented) {
  const QString text = "10 FOR I = 1 TO 3\r\n20 PRINT I\r\n30 NEXT I\r\n";
  Put(text);
  app().state().docs.list.current()->syntax = "ATTiny";
  Menu(Item::FormatIndentation);
  const QString toggled = GetEditorText(ed);
  EXPECT_TRUE(toggled.startsWith("  10 FOR")) << toggled.toStdString();
  EXPECT_TRUE(toggled.contains("\r\n  20 PRINT I\r\n")) << "the body is not indented: " << toggled.toStdString();
  EXPECT_TRUE(s().modified());
  s().send(S::SCI_UNDO);
  EXPECT_EQ(GetEditorText(ed), text) << "one Undo restores the text";
}

TEST_F(ToolsApp, VariableReportOpensInTheInformationWindow) {
  const QString text = "DIM total\r\nSUB Add(n)\r\nLOCAL i\r\ntotal = total + n + j\r\nEND SUB\r\nPRINT \"a\\q\"\r\n";
  Put(text);
  Menu(Item::VariableReport);
  ReportOptions o;
  o.wordCharacters = app().settings().validWordCharacters;
  o.keywords = DocumentKeywords(app(), app().state().docs.currentTabIndex);
  o.elapsedMs = [] { return qint64(0); };
  QString expected = VariableReportText(text, o);
  QString shown = InfoWindowText(app());
  ASSERT_FALSE(shown.isEmpty()) << "window 5 is open";
  // The time differs from run to run; the rest is the report's text.
  shown = shown.mid(shown.indexOf(u'\n') + 1);
  expected = expected.mid(expected.indexOf(u'\n') + 1).replace("\r\n", "\n");
  EXPECT_EQ(shown, expected);
  EXPECT_TRUE(shown.contains("Add    \\ j      ***    4")) << shown.toStdString();
  EXPECT_EQ(GetEditorText(ed), text) << "the report only reads";
}

const char* const kOutlined =
    "' demo\r\n"            // 1
    "SUB Foo(a)\r\n"        // 2
    "  PRINT a\r\n"         // 3
    "END SUB\r\n"           // 4
    "main:\r\n"             // 5
    "'> the loop\r\n"       // 6
    "Foo 1\r\n"             // 7
    "GOTO main\r\n";        // 8

TEST_F(ToolsApp, F4ListsTheOutlineAndAClickJumps) {
  Put(kOutlined);
  Menu(Item::FindSubFunction);
  QWidget* w = app().toolkit().window(+WindowId::SubList);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "Subs:");
  EXPECT_EQ(SubItems(), (QStringList{"     1 First line", "     2 SUB Foo(a)", "     5 main:", "     6 '> the loop",
                                     "     9 Last line"}));
  EXPECT_EQ(app().state().docs.list.current()->userSubNames, " Foo main ") << "the declared case stays";

  Click(1);
  EXPECT_EQ(CaretLine(), 1);
  s().send(S::SCI_GOTOLINE, 6);
  Click(1);
  EXPECT_EQ(CaretLine(), 6) << "the same entry twice moves the editor once";
  Click(4);
  EXPECT_EQ(CaretLine(), 8) << "Last line: the empty line after the final line end";

  // A new listing forgets the last choice.
  Menu(Item::FindSubFunction);
  Click(4);
  s().send(S::SCI_GOTOLINE, 0);
  Menu(Item::FindSubFunction);
  Click(4);
  EXPECT_EQ(CaretLine(), 8);
}

TEST_F(ToolsApp, AClickAfterSwitchingTabsGoesToTheListsOwnDocument) {
  Put(kOutlined);
  const int first = app().state().docs.list.currentIndex();
  Menu(Item::FindSubFunction);
  Menu(Item::New);
  const int second = app().state().docs.list.currentIndex();
  ASSERT_NE(second, first);
  EditorView* other = CurrentEditor(app());
  SetEditorText(other, QStringLiteral("x = 1\r\n"), true);
  Click(2);
  EXPECT_EQ(app().state().docs.list.currentIndex(), first);
  EXPECT_EQ(CaretLine(), 4);
  EXPECT_EQ(GetEditorText(other), "x = 1\r\n");

  // Once that document is closed a click does nothing.
  Menu(Item::Close);
  ASSERT_EQ(app().state().docs.list.size(), 1);
  EditorView* left = CurrentEditor(app());
  left->sci().send(S::SCI_GOTOLINE, 0);
  Click(1);
  EXPECT_EQ(left->sci().lineFromPosition(left->sci().currentPos()), 0);
}

TEST_F(ToolsApp, F4WithASelectionJumpsToTheDefinition) {
  Put(kOutlined);
  const QByteArray utf8 = QByteArray(kOutlined);
  const qsizetype call = utf8.indexOf("Foo 1");
  struct Case {
    qsizetype from, to;
    int target;  // 0-based, -1: no jump
  } cases[] = {
      {call, call + 3, 1},                                        // "Foo"
      {utf8.indexOf("main\r\n"), utf8.indexOf("main\r\n") + 4, 4},  // "main"
      {utf8.indexOf("PRINT"), utf8.indexOf("PRINT") + 5, -1},       // names nothing
  };
  for (const Case& c : cases) {
    s().send(S::SCI_SETSEL, c.from, c.to);
    const int before = CaretLine();
    const int returnBefore = app().state().returnLine;
    Menu(Item::FindSubFunction);
    if (c.target < 0) {
      EXPECT_EQ(CaretLine(), before);
      EXPECT_EQ(app().state().returnLine, returnBefore) << "a word that names nothing changes nothing";
    } else {
      EXPECT_EQ(CaretLine(), c.target);
      EXPECT_EQ(app().state().returnLine, before);
    }
  }
  Menu(Item::ReturnFromSub);
  EXPECT_EQ(CaretLine(), 7) << "F5 goes back to where the last jump started";
}

TEST_F(ToolsApp, SubListWindowClosesAndStoresItsPlace) {
  Put(kOutlined);
  Menu(Item::FindSubFunction);
  QWidget* w = app().toolkit().window(+WindowId::SubList);
  ASSERT_NE(w, nullptr);
  w->move(40, 50);
  w->resize(320, 400);
  d.post(Event::OfKind(EventKind::Size, +WindowId::SubList));
  d.processEvents();
  const WindowRect& r = app().settings().findSubWindow;
  EXPECT_EQ(r.w, 320);
  EXPECT_EQ(r.h, 400);
  EXPECT_EQ(SubList()->geometry(), QRect(10, 10, 300, 380));
  d.post(Event::OfKind(EventKind::Close, +WindowId::SubList));
  d.processEvents(50);
  EXPECT_EQ(app().toolkit().window(+WindowId::SubList), nullptr);
  EXPECT_EQ(SubList(), nullptr);
}

}  // namespace
}  // namespace vendle::test
