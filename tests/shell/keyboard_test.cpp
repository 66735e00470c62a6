// Every window by keyboard alone, through the running program: the tool
// windows open, act on Return, Space and keypad Enter, close with Escape and
// hand the focus back to the editor; tabs switch with the desktop's keys; a
// chord with Alt or Ctrl that is no shortcut types nothing.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/tab_strip.h"
#include "editor/ui/editor_commands.h"
#include "editor/ui/editor_view.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/services.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

const QString kProgram = QStringLiteral(
    "' keys\r\n"
    "x = 1\r\n"
    "SUB Alpha\r\n"
    "  PRINT \"alpha\"\r\n"
    "END SUB\r\n"
    "FUNCTION Beta(a)\r\n"
    "  Beta = a * 2\r\n"
    "END FUNCTION\r\n"
    "Gamma:\r\n"
    "  PRINT x\r\n");

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    main_ = d.app().toolkit().window(+WindowId::Main);
    ASSERT_NE(main_, nullptr);
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_));
    ASSERT_TRUE(d.waitFor([this] { return editor() && editor()->isVisible(); }));
    SetEditorText(editor(), kProgram, true);
    editor()->setFocus();
    ASSERT_TRUE(d.waitFor([this] { return editor()->hasFocus(); }));
  }

  EditorView* editor() { return CurrentEditor(d.app()); }
  Sci sci() { return editor()->sci(); }
  int caretLine() { return int(sci().lineFromPosition(sci().currentPos())); }
  QWidget* window(WindowId w) { return d.app().toolkit().window(+w); }

  // Keys go where the keyboard focus of the active window is.
  void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, mods);
    d.processEvents();
  }

  // The window is up and has the keyboard.
  void expectActive(WindowId id) {
    QWidget* w = nullptr;
    ASSERT_TRUE(d.waitFor([&] { return (w = window(id)) && w->isVisible(); })) << +id;
    EXPECT_TRUE(d.waitFor([&] { return QApplication::activeWindow() == w; })) << +id;
  }

  // Escape closes it and the editor has the keyboard again.
  void escapeCloses(WindowId id) {
    expectActive(id);
    press(Qt::Key_Escape);
    EXPECT_TRUE(d.waitFor([&] { return window(id) == nullptr || !window(id)->isVisible(); })) << +id;
    EXPECT_TRUE(d.waitFor([&] { return QApplication::focusWidget() == editor(); }))
        << +id << " left the focus on "
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "nothing");
    EXPECT_EQ(QApplication::activeWindow(), main_) << +id;
  }

  QListWidget* list(ControlId id) { return qobject_cast<QListWidget*>(d.app().toolkit().control(+id)); }

  AppDriver d;
  QWidget* main_ = nullptr;
};

TEST_F(Keyboard, EscapeClosesEveryToolWindow) {
  // F4 lists the subs.
  press(Qt::Key_F4);
  escapeCloses(WindowId::SubList);
  // F11 on a selected word lists its lines.
  sci().send(S::SCI_SETSEL, 0, 0);
  sci().send(S::SCI_SETSEL, sci().positionFromLine(1), sci().positionFromLine(1) + 1);
  press(Qt::Key_F11);
  escapeCloses(WindowId::FindAll);
  press(Qt::Key_F12);
  escapeCloses(WindowId::SyntaxHints);
  d.menu(Item::VariableReport);
  d.processEvents();
  escapeCloses(WindowId::InfoText);
  d.menu(Item::Preferences);
  d.processEvents();
  escapeCloses(WindowId::Settings);
  d.menu(Item::VendleHelp);
  d.processEvents();
  escapeCloses(WindowId::HelpViewer);
  press(Qt::Key_F, Qt::ControlModifier);
  escapeCloses(WindowId::FindReplace);
}

// Return, Space and keypad Enter on a list entry do what a click does, and
// the editor takes the keyboard.
TEST_F(Keyboard, ListEntriesActOnTheirKeys) {
  struct Row {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int entry;  // First line, SUB Alpha, FUNCTION Beta, Gamma:, Last line
    int line;
  };
  const Row rows[] = {{Qt::Key_Return, Qt::NoModifier, 1, 2},
                      {Qt::Key_Space, Qt::NoModifier, 2, 5},
                      {Qt::Key_Enter, Qt::KeypadModifier, 3, 8}};
  for (const Row& row : rows) {
    sci().send(S::SCI_GOTOPOS, 0);
    press(Qt::Key_F4);
    expectActive(WindowId::SubList);
    QListWidget* l = list(ControlId::SubListBox);
    ASSERT_NE(l, nullptr);
    ASSERT_EQ(QApplication::focusWidget(), l);
    l->setCurrentRow(0);
    for (int i = 0; i < row.entry; ++i) press(Qt::Key_Down);
    press(row.key, row.mods);
    EXPECT_EQ(caretLine(), row.line) << row.key;
    EXPECT_TRUE(d.waitFor([&] { return QApplication::focusWidget() == editor(); })) << row.key;
  }
}

TEST_F(Keyboard, FindAllAndHintsActOnReturn) {
  sci().send(S::SCI_SETSEL, sci().positionFromLine(1), sci().positionFromLine(1) + 1);
  press(Qt::Key_F11);
  expectActive(WindowId::FindAll);
  QListWidget* results = list(ControlId::FindAllList);
  ASSERT_NE(results, nullptr);
  ASSERT_EQ(results->count(), 2);  // x = 1 and PRINT x
  results->setFocus();
  results->setCurrentRow(0);
  press(Qt::Key_Down);
  press(Qt::Key_Return);
  EXPECT_EQ(caretLine(), 9);
  EXPECT_TRUE(d.waitFor([&] { return QApplication::focusWidget() == editor(); }));

  sci().send(S::SCI_SETSEL, sci().positionFromLine(3) + 2, sci().positionFromLine(3) + 7);
  press(Qt::Key_F12);
  expectActive(WindowId::SyntaxHints);
  QListWidget* hints = list(ControlId::HintList);
  ASSERT_NE(hints, nullptr);
  ASSERT_GT(hints->count(), 0);
  hints->setFocus();
  hints->setCurrentRow(0);
  const QString hint = hints->item(0)->text();
  press(Qt::Key_Return);
  EXPECT_TRUE(GetEditorText(editor()).contains(hint)) << hint.toStdString();
  EXPECT_TRUE(d.waitFor([&] { return QApplication::focusWidget() == editor(); }));
}

// An assistive tool's action on a list entry jumps as a click does.
TEST_F(Keyboard, ListEntriesActOnTheirAccessibleAction) {
  press(Qt::Key_F4);
  expectActive(WindowId::SubList);
  QAccessibleInterface* l = QAccessible::queryAccessibleInterface(list(ControlId::SubListBox));
  ASSERT_NE(l, nullptr);
  ASSERT_EQ(l->childCount(), 5);
  QAccessibleInterface* entry = l->child(3);
  ASSERT_NE(entry, nullptr);
  EXPECT_TRUE(entry->text(QAccessible::Name).endsWith(QStringLiteral("Gamma:")));
  ASSERT_NE(entry->actionInterface(), nullptr);
  ASSERT_FALSE(entry->actionInterface()->actionNames().isEmpty());
  entry->actionInterface()->doAction(entry->actionInterface()->actionNames().first());
  d.processEvents();
  EXPECT_EQ(caretLine(), 8);
}

TEST_F(Keyboard, FindWindowTakesF3AndReturnOnItsButtons) {
  press(Qt::Key_F, Qt::ControlModifier);
  expectActive(WindowId::FindReplace);
  auto* box = qobject_cast<QComboBox*>(d.app().toolkit().control(+ControlId::FindText));
  ASSERT_NE(box, nullptr);
  box->setEditText(QStringLiteral("PRINT"));
  sci().send(S::SCI_GOTOPOS, 0);
  press(Qt::Key_F3);
  EXPECT_EQ(caretLine(), 3) << "F3 in the Find window is Find Next";
  press(Qt::Key_F3);
  EXPECT_EQ(caretLine(), 9);
  // Return in the search box is Find Next too.
  box->setFocus();
  press(Qt::Key_Return);
  EXPECT_EQ(caretLine(), 3);
  // Return on a focused button presses that button.
  auto* prev = qobject_cast<QAbstractButton*>(d.app().toolkit().control(+ControlId::FindPrevButton));
  ASSERT_NE(prev, nullptr);
  prev->setFocus();
  press(Qt::Key_Return);
  EXPECT_EQ(caretLine(), 9) << "Return on Find Prev wraps back to the last match";
  auto* close = qobject_cast<QAbstractButton*>(d.app().toolkit().control(+ControlId::CloseFindButton));
  ASSERT_NE(close, nullptr);
  close->setFocus();
  press(Qt::Key_Return);
  EXPECT_TRUE(d.waitFor([&] { return window(WindowId::FindReplace) == nullptr; }));
  EXPECT_TRUE(d.waitFor([&] { return QApplication::focusWidget() == editor(); }));
}

TEST_F(Keyboard, CtrlTabAndCtrlPageKeysSelectTheNeighbourTabs) {
  d.menu(Item::New);
  d.menu(Item::New);
  d.processEvents();
  Documents& docs = d.app().state().docs;
  ASSERT_EQ(docs.list.size(), 3);
  ASSERT_EQ(docs.currentTabIndex, 2);
  editor()->setFocus();
  d.processEvents();
  struct Row {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int tab;
  };
  const Row rows[] = {{Qt::Key_Tab, Qt::ControlModifier, 0},          {Qt::Key_PageDown, Qt::ControlModifier, 1},
                      {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, 0},
                      {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 2},
                      {Qt::Key_PageUp, Qt::ControlModifier, 1}};
  for (const Row& row : rows) {
    press(row.key, row.mods);
    EXPECT_EQ(docs.currentTabIndex, row.tab) << row.key;
    EXPECT_EQ(d.app().tabStrip().selected(), row.tab) << row.key;
    EXPECT_EQ(QApplication::focusWidget(), editor()) << row.key;
  }
  EXPECT_EQ(GetEditorText(EditorOfDocument(d.app(), 0)), kProgram) << "the keys typed nothing";

  // Assistive tools see the tabs as page tabs, by name, and select one.
  QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(d.app().toolkit().control(+ControlId::TabBar));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->role(), QAccessible::PageTabList);
  ASSERT_EQ(bar->childCount(), 3);
  for (int i = 0; i < 3; ++i) {
    QAccessibleInterface* tab = bar->child(i);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->role(), QAccessible::PageTab);
    EXPECT_EQ(tab->text(QAccessible::Name), d.app().tabStrip().text(i));
    EXPECT_FALSE(tab->text(QAccessible::Name).isEmpty());
    EXPECT_EQ(tab->state().selected, i == docs.currentTabIndex) << i;
    EXPECT_FALSE(tab->rect().isEmpty()) << i;
  }
  QAccessibleActionInterface* select = bar->child(0)->actionInterface();
  ASSERT_NE(select, nullptr);
  select->doAction(QAccessibleActionInterface::pressAction());
  d.processEvents();
  EXPECT_EQ(docs.currentTabIndex, 0);
  EXPECT_TRUE(bar->child(0)->state().selected);
}

TEST_F(Keyboard, ChordsThatAreNoShortcutTypeNothing) {
  const QString before = GetEditorText(editor());
  sci().send(S::SCI_SETSAVEPOINT);
  for (Qt::Key k : {Qt::Key_F, Qt::Key_E, Qt::Key_H, Qt::Key_V, Qt::Key_B, Qt::Key_X}) press(k, Qt::AltModifier);
  press(Qt::Key_J, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(GetEditorText(editor()), before);
  EXPECT_FALSE(sci().modified());
  // Plain letters still type.
  press(Qt::Key_Q);
  EXPECT_EQ(GetEditorText(editor()), QStringLiteral("q") + before);
}

}  // namespace
}  // namespace vendle::test
