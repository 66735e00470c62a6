// How the running program takes events: one at a time, never inside a
// requester; Return follows the editor focus; the exit request.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTest>

#include "app_driver.h"
#include "test_files.h"
#include "editor/ui/editor_view.h"
#include "platform/ui/toolkit.h"

namespace vendle::test {
namespace {

constexpr int kMain = +WindowId::Main;


TEST(EventLoop, AnEventDuringARequesterRunsAfterIt) {
  AppDriver d;
  WriteFile(d.root() + "x.bas", "PRINT 1\r\n");
  App& app = d.app();
  QStringList order;
  d.requesters().whileShown = [&](const Asked& a) {
    if (a.title != u"Quit") return;
    d.post(Event::Timer(TimerId::StatusRefresh));
    d.post(Event::Command("/load " + d.root() + "x.bas"));
    order.append("during:" + app.lastHandler());
  };
  d.requesters().answer(Answer::No);
  d.menu(Item::Exit);
  const auto& t = app.handlerTrace();
  ASSERT_GE(t.size(), 3u);
  EXPECT_EQ(order, QStringList{"during:ExitRequest(a)"});
  EXPECT_EQ(t[t.size() - 3], "ExitRequest(a)");
  EXPECT_EQ(t[t.size() - 2], "StatusRefreshTick(app)");
  EXPECT_EQ(t[t.size() - 1], "ExecuteControlCommand(app, e.text)");
  EXPECT_EQ(app.state().docs.list.at(app.state().docs.list.size() - 1).name, "x.bas");
  EXPECT_EQ(app.state().quitFlag, 0);
}

TEST(EventLoop, ReturnShortcutsExistOnlyWhileAnEditorHasTheFocus) {
  AppDriver d;
  App& app = d.app();
  Toolkit& tk = app.toolkit();
  QWidget* win = app.mainWidget();
  win->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(win));
  auto* ed = EditorOf(tk, +ControlId::FirstEditor);
  ASSERT_NE(ed, nullptr);
  ed->show();

  ed->setFocus();
  ASSERT_TRUE(d.waitFor([&] { return tk.hasShortcut(kMain, "Shift+Return"); }));
  EXPECT_EQ(tk.shortcutItem(kMain, "Return"), +Item::ReturnKey);
  EXPECT_EQ(tk.shortcutItem(kMain, "Shift+Return"), +Item::InsertLineEnd);

  ed->clearFocus();
  ASSERT_TRUE(d.waitFor([&] { return !tk.hasShortcut(kMain, "Shift+Return"); }));
  EXPECT_FALSE(tk.hasShortcut(kMain, "Return"));

  ed->setFocus();
  ASSERT_TRUE(d.waitFor([&] { return tk.hasShortcut(kMain, "Return"); }));
}

TEST(EventLoop, ReturnAndShiftReturnInsertLineEndsInTheFocusedEditor) {
  struct Case {
    int mode;
    Qt::KeyboardModifiers mods;
    Qt::Key key;
    QByteArray expected;
  };
  const Case cases[] = {
      {0, Qt::ShiftModifier, Qt::Key_Return, "ab\r\ncd"},
      {1, Qt::ShiftModifier, Qt::Key_Return, "ab\ncd"},
      {0, Qt::NoModifier, Qt::Key_Return, "ab\r\ncd"},
      {0, Qt::KeypadModifier, Qt::Key_Enter, "ab\r\ncd"},
  };
  for (const Case& c : cases) {
    AppDriver d;
    App& app = d.app();
    app.settings().lineEndingsMode = c.mode;
    QWidget* win = app.mainWidget();
    win->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(win));
    auto* ed = EditorOf(app.toolkit(), +ControlId::FirstEditor);
    ed->show();
    ed->resize(300, 200);
    Sci s = ed->sci();
    s.send(QsciScintillaBase::SCI_SETEOLMODE, c.mode == 0 ? 0 : 2);
    s.sendText(QsciScintillaBase::SCI_SETTEXT, 0, "abcd");
    s.send(QsciScintillaBase::SCI_GOTOPOS, 2);
    ed->setFocus();
    ASSERT_TRUE(d.waitFor([&] { return app.toolkit().hasShortcut(kMain, "Return"); }));
    QTest::keyClick(QApplication::focusWidget(), c.key, c.mods);
    d.processEvents();
    EXPECT_EQ(s.range(0, s.length()), c.expected) << "mode " << c.mode << " key " << c.key << " mods " << int(c.mods);
  }
}

TEST(EventLoop, TabStillReachesTheEditor) {
  AppDriver d;
  App& app = d.app();
  QWidget* win = app.mainWidget();
  win->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(win));
  auto* ed = EditorOf(app.toolkit(), +ControlId::FirstEditor);
  ed->show();
  ed->setFocus();
  d.processEvents();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), ed);
  EXPECT_GT(ed->sci().length(), 0) << "Tab inserted nothing";
}

TEST(EventLoop, ExitEndsTheLoopAfterItsEvent) {
  AppDriver d;
  App& app = d.app();
  d.requesters().answer(Answer::Yes);
  d.post(Event::OfKind(EventKind::Close));
  EXPECT_EQ(app.state().quitFlag, 1);
  EXPECT_TRUE(app.loopEnded());
  // Nothing more is executed once the loop has ended.
  app.noteHandler("-");
  d.post(Event::Timer(TimerId::Backup));
  EXPECT_EQ(app.lastHandler(), "-");
  ASSERT_EQ(d.requesters().asked().size(), 1u);
  EXPECT_EQ(d.requesters().asked()[0].text, "Are you sure you want to quit Vendle?");
}

QStringList Names(App& app) {
  QStringList names;
  for (const DocumentRecord& r : app.state().docs.list) names.append(r.name);
  return names;
}

TEST(EventLoop, AControlCommandRunsOnTheLoop) {
  AppDriver d;
  WriteFile(d.root() + "a.bas", "a\r\n");
  WriteFile(d.root() + "b.bas", "b\r\n");
  d.post(Event::Command("/LOAD " + d.root() + "a.bas\n" + d.root() + "b.bas"));
  EXPECT_EQ(Names(d.app()), (QStringList{"untitled.bas", "a.bas", "b.bas"}));
}

TEST(EventLoop, DroppedFilesOpenInTheirOrder) {
  AppDriver d;
  for (const char* n : {"3.bas", "1.bas", "2.bas"}) WriteFile(d.root() + n, "x\r\n");
  d.post(Event::Drop(d.root() + "3.bas\n" + d.root() + "1.bas\n" + d.root() + "2.bas"));
  EXPECT_EQ(Names(d.app()), (QStringList{"untitled.bas", "3.bas", "1.bas", "2.bas"}));
}

TEST(EventLoop, TheMainWindowShowsItsTitle) {
  AppDriver d;
  EXPECT_EQ(d.app().mainWidget()->windowTitle(), "Vendle V5.2.6");
  EXPECT_TRUE(d.app().mainWidget()->isVisible());
}

}  // namespace
}  // namespace vendle::test
