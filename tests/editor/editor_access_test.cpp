// What assistive tools and popups ask of a running editor: its accessible
// text (text, caret, selection and the on-screen extents of every offset),
// and call tips and completion lists shown where the caret stands outside
// every screen.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "app_driver.h"
#include "editing_test_support.h"
#include "editor/ui/editor_view.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/services.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

// The shown editor of the running program, laid out by its first layout.
EditorView& ShownEditor(AppDriver& d) {
  EditorView* ed = CurrentEditor(d.app());
  EXPECT_NE(ed, nullptr);
  d.waitFor([ed] { return ed->isVisible() && ed->height() > 200; });
  return *ed;
}

QAccessibleTextInterface* AccessibleText(QWidget* w) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
  return iface ? iface->textInterface() : nullptr;
}

// Twenty lines of a program, in ASCII and with characters of two, three and
// four UTF-8 bytes.
QString SmallProgram(bool ascii) {
  QString text;
  for (int i = 1; i <= 20; ++i)
    text += ascii ? QStringLiteral("  PRINT \"line %1\" ' ok\r\n").arg(i)
                  : QStringLiteral("  PRINT \"Zeile %1 grün € \U0001F600\" ' ok\r\n").arg(i);
  return text;
}

TEST(EditorAccessibleText, ExtentsOfEveryOffsetGrowLineByLine) {
  AppDriver d;
  EditorView& ed = ShownEditor(d);
  for (bool ascii : {true, false}) {
    SCOPED_TRACE(ascii ? "ASCII" : "non-ASCII");
    const QString text = SmallProgram(ascii);
    PutMarked(ed, text);
    QAccessibleTextInterface* t = AccessibleText(&ed);
    ASSERT_NE(t, nullptr);
    // Offsets count characters (code points), as the control's own text events do.
    const QList<uint> chars = text.toUcs4();
    EXPECT_EQ(t->characterCount(), chars.size());
    EXPECT_EQ(t->text(0, int(chars.size())), text);

    int line = 0;
    int lineY = -1;
    int previousX = -1;
    bool lineStart = true;
    for (int offset = 0; offset <= chars.size(); ++offset) {
      const QRect r = t->characterRect(offset);
      EXPECT_TRUE(r.isValid()) << "offset " << offset;
      if (lineStart) {
        EXPECT_GT(r.y(), lineY) << "line " << line << " at offset " << offset;
        lineY = r.y();
        previousX = -1;
      } else {
        EXPECT_EQ(r.y(), lineY) << "line " << line << " at offset " << offset;
      }
      EXPECT_GT(r.x(), previousX) << "offset " << offset;
      previousX = r.x();
      if (offset < chars.size()) {
        EXPECT_EQ(t->offsetAtPoint(r.center()), offset) << "offset " << offset;
        lineStart = chars[offset] == u'\n';
        if (lineStart) ++line;
      }
    }
    EXPECT_EQ(line, 20);
  }
}

TEST(EditorAccessibleText, CaretSelectionAndLinesInCharacters) {
  AppDriver d;
  EditorView& ed = ShownEditor(d);
  PutMarked(ed, QStringLiteral("a € b\r\n\U0001F600 x{yz}\r\nlast"));
  QAccessibleTextInterface* t = AccessibleText(&ed);
  ASSERT_NE(t, nullptr);
  // "a € b\r\n" is 7 characters, the smiley one.
  EXPECT_EQ(t->cursorPosition(), 12);
  ASSERT_EQ(t->selectionCount(), 1);
  int start = -1, end = -1;
  t->selection(0, &start, &end);
  EXPECT_EQ(start, 10);
  EXPECT_EQ(end, 12);
  EXPECT_EQ(t->text(start, end), QStringLiteral("yz"));

  t->setCursorPosition(8);
  EXPECT_EQ(t->cursorPosition(), 8);
  EXPECT_EQ(t->selectionCount(), 0);
  t->setSelection(0, 2, 3);
  t->selection(0, &start, &end);
  EXPECT_EQ(t->text(start, end), QStringLiteral("€"));

  EXPECT_EQ(t->textAtOffset(9, QAccessible::LineBoundary, &start, &end), QStringLiteral("\U0001F600 xyz\r\n"));
  EXPECT_EQ(start, 7);
  EXPECT_EQ(end, 14);
  EXPECT_EQ(t->textAtOffset(t->characterCount(), QAccessible::LineBoundary, &start, &end), QStringLiteral("last"));
  EXPECT_EQ(t->textAtOffset(2, QAccessible::CharBoundary, &start, &end), QStringLiteral("€"));
  EXPECT_EQ(t->textAtOffset(11, QAccessible::WordBoundary, &start, &end), QStringLiteral("xyz"));
  // Out of range asks are answered within the text.
  EXPECT_EQ(t->text(-5, 1000), t->text(0, t->characterCount()));
  EXPECT_TRUE(t->characterRect(100000).isValid());
}

// The main window stands partly below the lower edge of the screen, with
// the caret on a line that is on no screen.
class PopupsOffScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    QWidget* main = d.app().toolkit().window(+WindowId::Main);
    ASSERT_NE(main, nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    main->move(screen.x() + 10, screen.bottom() - 250);
    EditorView& ed = ShownEditor(d);
    QString text;
    for (int i = 1; i <= 60; ++i) text += QStringLiteral("x%1 = %1\r\n").arg(i);
    PutMarked(ed, text + QStringLiteral("PRINT|"));
    ed.sci().send(S::SCI_SCROLLCARET);
    ed.setFocus();
    d.processEvents();
    const Sci s = ed.sci();
    const Sci::Pos caret = s.currentPos();
    const QPoint caretAt(int(s.send(S::SCI_POINTXFROMPOSITION, 0, caret)),
                         int(s.send(S::SCI_POINTYFROMPOSITION, 0, caret)));
    ASSERT_EQ(QGuiApplication::screenAt(ed.viewport()->mapToGlobal(caretAt)), nullptr)
        << "the caret should stand on no screen";
  }

  // Every popup of the editor that shows stands on a screen.
  void expectPopupsOnScreens() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && (w->windowFlags() & Qt::Popup) == Qt::Popup) {
        EXPECT_NE(QGuiApplication::screenAt(w->geometry().topLeft()), nullptr) << w->metaObject()->className();
      }
    }
  }

  AppDriver d;
};

TEST_F(PopupsOffScreen, TypingWithACallTipOpenLeavesTheProgramRunning) {
  EditorView& ed = *CurrentEditor(d.app());
  // F1 on PRINT shows its syntax line as a call tip.
  QTest::keyClick(&ed, Qt::Key_F1);
  d.processEvents();
  EXPECT_EQ(StatusFieldText(d.app(), StatusField::Path).left(5), QStringLiteral("PRINT"));
  expectPopupsOnScreens();
  // Typing closes it and offers completions of the typed word.
  QTest::keyClicks(&ed, QStringLiteral(" pri"));
  d.processEvents();
  expectPopupsOnScreens();
  QTest::keyClick(&ed, Qt::Key_Backspace);
  QTest::keyClicks(&ed, QStringLiteral("in"));
  d.processEvents();
  expectPopupsOnScreens();
  EXPECT_TRUE(ShowMarked(ed).endsWith(QStringLiteral("PRINT prin|")));
}

TEST_F(PopupsOffScreen, PopupsShowAgainOnceTheWindowIsBackOnTheScreen) {
  EditorView& ed = *CurrentEditor(d.app());
  QWidget* main = d.app().toolkit().window(+WindowId::Main);
  main->move(10, 10);
  main->resize(main->width(), 400);
  d.processEvents(50);
  ed.sci().send(S::SCI_SCROLLCARET);
  QTest::keyClicks(&ed, QStringLiteral(" pri"));
  d.processEvents();
  EXPECT_NE(ed.sci().send(S::SCI_AUTOCACTIVE), 0) << "the list is skipped only where it would stand on no screen";
  expectPopupsOnScreens();
}

}  // namespace
}  // namespace vendle::test
