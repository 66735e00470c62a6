// Windows as they are drawn: each fits the screen's available area, shows
// every control whole, and the Find All window shows its rows whole.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>

#include "app_driver.h"
#include "editor/ui/editor_commands.h"
#include "platform/ids.h"
#include "platform/ui/toolkit.h"
#include "shell/ui/main_window.h"
#include "shell/ui/services.h"

namespace vendle::test {
namespace {

QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// The default main window (1100 x 919) is taller than this 800 x 600
// screen: it is fitted, so the status bar stands on the screen.
TEST(WindowFit, TheMainWindowAndItsStatusBarStandOnTheScreen) {
  AppDriver d;
  d.processEvents(50);
  MainWindow* w = d.app().mainWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(Available().contains(w->geometry())) << w->geometry().width() << "x" << w->geometry().height();
  const QRect bar(w->statusBar()->mapToGlobal(QPoint(0, 0)), w->statusBar()->size());
  EXPECT_TRUE(Available().contains(bar));
}

// A stored rectangle beyond the lower right corner comes back onto it.
TEST(WindowFit, AStoredRectangleOffTheScreenIsBroughtOntoIt) {
  DriverOptions o;
  o.preferences = QStringLiteral("[Windows]\r\nFindX = 700\r\nFindY = 560\r\nFindW = 370\r\nFindH = 210\r\n");
  AppDriver d(o);
  d.menu(Item::FindReplace);
  d.processEvents();
  QWidget* find = d.app().toolkit().window(+WindowId::FindReplace);
  ASSERT_NE(find, nullptr);
  EXPECT_TRUE(Available().contains(find->geometry()));
}

TEST(WindowFit, EveryControlOfTheFindWindowShowsWhole) {
  AppDriver d;
  d.menu(Item::FindReplace);
  d.processEvents();
  QWidget* find = d.app().toolkit().window(+WindowId::FindReplace);
  ASSERT_NE(find, nullptr);
  for (QWidget* c : find->findChildren<QWidget*>()) {
    if (!c->isVisible() || c->parentWidget() != find) continue;
    EXPECT_TRUE(find->rect().contains(c->geometry())) << c->accessibleName().toStdString();
  }
  auto* close = qobject_cast<QAbstractButton*>(d.app().toolkit().control(+ControlId::CloseFindButton));
  ASSERT_NE(close, nullptr);
  EXPECT_LE(close->geometry().right(), find->width() - 1);
}

TEST(WindowFit, FindAllShowsItsRowsWhole) {
  AppDriver d;
  EditorView* ed = CurrentEditor(d.app());
  ASSERT_NE(ed, nullptr);
  QString text;
  for (int i = 0; i < 5; ++i)
    text += QStringLiteral("PRINT \"a fairly long line of the program that is found, number %1\" ' note\r\n").arg(i);
  SetEditorText(ed, text, true);
  ed->sci().send(QsciScintillaBase::SCI_SETSEL, 0, 5);
  d.menu(Item::QuickFind);
  d.processEvents();
  auto* list = qobject_cast<QListWidget*>(d.app().toolkit().control(+ControlId::FindAllList));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 5);
  for (int i = 0; i < list->count(); ++i)
    EXPECT_LE(list->visualItemRect(list->item(i)).left() + list->fontMetrics().horizontalAdvance(list->item(i)->text()),
              list->viewport()->width())
        << i;
}

}  // namespace
}  // namespace vendle::test
