// The information window (window 5) and the debug log: showing and
// replacing texts, text files read as ANSI up to a zero byte, log lines
// appended (from the GUI thread and from another thread, in order), the
// close request and the stored placement.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QTest>
#include <Qsci/qsciscintillabase.h>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <thread>

#include "app_driver.h"
#include <QFileInfo>
#include "platform/ui/toolkit.h"
#include "shell/ui/info_window.h"
#include "test_files.h"

namespace vendle::test {
namespace {

constexpr int kInfo = +WindowId::InfoText;

QWidget* InfoWindow(App& app) { return app.toolkit().window(kInfo); }

TEST(InfoWindow, OpensWithTheTextAndControl64) {
  AppDriver d;
  App& app = d.app();
  EXPECT_EQ(InfoWindow(app), nullptr);
  ShowInfoText(app, "report line 1\nreport line 2");
  QWidget* w = InfoWindow(app);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->windowTitle(), "Vendle Info");
  EXPECT_EQ(InfoWindowText(app), "report line 1\nreport line 2");
  QWidget* text = app.toolkit().control(+ControlId::InfoEditor);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->window(), w);
  EXPECT_EQ(text->geometry(), QRect(10, 10, w->width() - 20, w->height() - 20));
  EXPECT_EQ(w->size(), QSize(app.settings().textWindow.w, app.settings().textWindow.h));
}

// A report's columns line up only in a fixed-pitch face; the user reads and
// selects the text but cannot change it.
TEST(InfoWindow, TheTextIsFixedPitchAndReadOnly) {
  AppDriver d;
  App& app = d.app();
  ShowInfoText(app, "Scope   Variable\r\nGlobal  \\ x%\r\n");
  auto* text = qobject_cast<QsciScintillaBase*>(app.toolkit().control(+ControlId::InfoEditor));
  ASSERT_NE(text, nullptr);
  QByteArray family(256, '\0');
  text->SendScintilla(QsciScintillaBase::SCI_STYLEGETFONT, QsciScintillaBase::STYLE_DEFAULT, family.data());
  const QFontMetrics face{QFont(QString::fromUtf8(family.constData()))};
  EXPECT_EQ(face.horizontalAdvance(u'i'), face.horizontalAdvance(u'W')) << family.constData();
  EXPECT_EQ(InfoWindowText(app), "Scope   Variable\nGlobal  \\ x%\n");
  text->setFocus();
  QTest::keyClicks(text, "typed");
  QTest::keyClick(text, Qt::Key_Delete);
  EXPECT_EQ(InfoWindowText(app), "Scope   Variable\nGlobal  \\ x%\n");
}

TEST(InfoWindow, ItsMenuCopiesTheText) {
  AppDriver d;
  App& app = d.app();
  ShowInfoText(app, "Lines of code: 3\nVariables: 2");
  QWidget* text = app.toolkit().control(+ControlId::InfoEditor);
  ASSERT_NE(text, nullptr);
  auto menuOf = [&]() -> QMenu* {
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), text->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the menu closed before
    QCoreApplication::sendEvent(static_cast<QAbstractScrollArea*>(text)->viewport(), &e);
    const QList<QMenu*> menus = text->findChildren<QMenu*>();
    return menus.size() == 1 ? menus[0] : nullptr;
  };
  QMenu* menu = menuOf();
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 2);
  EXPECT_EQ(actions[0]->text(), "Copy");
  EXPECT_FALSE(actions[0]->isEnabled()) << "nothing is selected yet";
  EXPECT_EQ(actions[1]->text(), "Select All");
  actions[1]->trigger();
  menu->close();
  menu = menuOf();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->actions()[0]->isEnabled());
  menu->actions()[0]->trigger();
  menu->close();
  EXPECT_EQ(QApplication::clipboard()->text(), "Lines of code: 3\nVariables: 2");
}

TEST(InfoWindow, ANewTextReplacesTheOldAndRestoresAMinimisedWindow) {
  AppDriver d;
  App& app = d.app();
  ShowInfoText(app, "the change log");
  QWidget* w = InfoWindow(app);
  w->setWindowState(Qt::WindowMinimized);
  ShowInfoText(app, "the variable report");
  EXPECT_EQ(InfoWindow(app), w) << "there is one information window";
  EXPECT_EQ(InfoWindowText(app), "the variable report");
  EXPECT_FALSE(w->windowState() & Qt::WindowMinimized);
}

TEST(InfoWindow, ShowsATextFileAsAnsiUpToAZeroByte) {
  AppDriver d;
  App& app = d.app();
  const QString path = d.root() + "notes.txt";
  WriteFile(path, QByteArray("Price \x80 5\r\nsecond\0hidden after the zero", 36));
  ShowFileInInfoWindow(app, path);
  EXPECT_EQ(InfoWindowText(app), QString::fromUtf8("Price € 5\nsecond"));
}

TEST(InfoWindow, NothingToShowOpensNothing) {
  AppDriver d;
  App& app = d.app();
  for (const QString& path : {QString(), d.root() + "missing.txt"}) {
    ShowFileInInfoWindow(app, path);
    EXPECT_EQ(InfoWindow(app), nullptr) << path.toStdString();
  }
  EXPECT_TRUE(d.requesters().asked().empty()) << "nothing there reports nothing";
  // A folder is there but no file: the user is told why.
  ShowFileInInfoWindow(app, d.root());
  EXPECT_EQ(InfoWindow(app), nullptr);
  ASSERT_EQ(d.requesters().asked().size(), 1u);
  EXPECT_TRUE(d.requesters().asked().back().text.contains("not a file"));
}

TEST(InfoWindow, ChangeLogItemShowsTheChangeLog) {
  AppDriver d;
  App& app = d.app();
  WriteFile(app.folders().changeLog, "V5.2.6\r\n- first entry\r\n");
  d.menu(Item::ChangeLog);
  EXPECT_EQ(InfoWindowText(app), "V5.2.6\n- first entry\n");
}

TEST(InfoWindow, CloseStoresThePlacementAndClosesTheWindow) {
  AppDriver d;
  App& app = d.app();
  ShowInfoText(app, "text");
  QWidget* w = InfoWindow(app);
  w->resize(640, 300);
  d.processEvents();
  d.post(Event::OfKind(EventKind::Close, kInfo));
  EXPECT_EQ(InfoWindow(app), nullptr);
  EXPECT_EQ(app.toolkit().control(+ControlId::InfoEditor), nullptr);
  EXPECT_EQ(app.settings().textWindow.w, 640);
  EXPECT_EQ(app.settings().textWindow.h, 300);
  d.processEvents();
  ShowInfoText(app, "again");
  ASSERT_NE(InfoWindow(app), nullptr);
  EXPECT_EQ(InfoWindow(app)->size(), QSize(640, 300));
}

TEST(InfoWindow, AMinimisedWindowKeepsItsPlacement) {
  AppDriver d;
  App& app = d.app();
  ShowInfoText(app, "text");
  const WindowRect before = app.settings().textWindow;
  QWidget* w = InfoWindow(app);
  w->setWindowState(Qt::WindowMinimized);
  w->resize(123, 77);
  d.post(Event::OfKind(EventKind::Size, kInfo));
  d.post(Event::OfKind(EventKind::Close, kInfo));
  EXPECT_EQ(app.settings().textWindow.w, before.w);
  EXPECT_EQ(app.settings().textWindow.h, before.h);
}

TEST(DebugLog, OffShowsNothing) {
  AppDriver d;
  App& app = d.app();
  app.settings().debugMode = 0;
  DebugLog(app, "a line");
  EXPECT_EQ(InfoWindow(app), nullptr);
  ShowInfoText(app, "report");
  DebugLog(app, "a line");
  EXPECT_EQ(InfoWindowText(app), "report");
}

TEST(DebugLog, FirstLineOpensTheWindowAndLaterLinesAppend) {
  AppDriver d;
  App& app = d.app();
  app.settings().debugMode = 1;
  DebugLog(app, "10:00:00 started");
  EXPECT_EQ(InfoWindowText(app), "10:00:00 started");
  DebugLog(app, "second");
  DebugLog(app, "third");
  EXPECT_EQ(InfoWindowText(app), "10:00:00 started\nsecond\nthird");
}

TEST(DebugLog, LinesAppendUnderAReportWithoutRestoringTheWindow) {
  AppDriver d;
  App& app = d.app();
  app.settings().debugMode = 1;
  ShowInfoText(app, "Variable report");
  QWidget* w = InfoWindow(app);
  w->setWindowState(Qt::WindowMinimized);
  DebugLog(app, "connected");
  EXPECT_EQ(InfoWindowText(app), "Variable report\nconnected");
  EXPECT_TRUE(w->windowState() & Qt::WindowMinimized) << "a log line does not restore the window";
}

TEST(DebugLog, AfterACloseTheNextLineReopensWithItAlone) {
  AppDriver d;
  App& app = d.app();
  app.settings().debugMode = 1;
  DebugLog(app, "one");
  d.post(Event::OfKind(EventKind::Close, kInfo));
  ASSERT_EQ(InfoWindow(app), nullptr);
  d.processEvents();
  DebugLog(app, "two");
  EXPECT_EQ(InfoWindowText(app), "two");
}

TEST(DebugLog, LinesOfAnotherThreadArriveOnTheGuiThreadInOrder) {
  AppDriver d;
  App& app = d.app();
  app.settings().debugMode = 1;
  DebugLog(app, "gui before");
  QStringList want{"gui before"};
  std::thread server([&app] {
    for (int k = 0; k < 200; ++k) DebugLog(app, QString("server %1").arg(k));
  });
  server.join();
  for (int k = 0; k < 200; ++k) want << QString("server %1").arg(k);
  // The lines wait for the GUI thread; the window has not changed yet.
  EXPECT_EQ(InfoWindowText(app), "gui before");
  // A line of the GUI thread comes after everything logged before it.
  DebugLog(app, "gui after");
  want << "gui after";
  EXPECT_EQ(InfoWindowText(app), want.join('\n'));
  // And nothing arrives twice once the wake-up is delivered.
  d.processEvents(50);
  EXPECT_EQ(InfoWindowText(app), want.join('\n'));
}

TEST(DebugLog, LinesOfAnotherThreadArriveThroughTheEventLoop) {
  AppDriver d;
  App& app = d.app();
  app.settings().debugMode = 1;
  std::thread server([&app] {
    for (int k = 0; k < 50; ++k) DebugLog(app, QString("line %1").arg(k));
  });
  server.join();
  QStringList want;
  for (int k = 0; k < 50; ++k) want << QString("line %1").arg(k);
  EXPECT_TRUE(d.waitFor([&] { return InfoWindowText(app) == want.join('\n'); }))
      << InfoWindowText(app).toStdString();
  ASSERT_NE(InfoWindow(app), nullptr);
  EXPECT_EQ(InfoWindow(app)->thread(), app.mainWidget()->thread()) << "the window belongs to the GUI thread";
}

// The window's lines after a log of `total` lines "line 0", "line 1", ...:
// the note, then the newest kKeptLogLines.
void ExpectTheNewestLinesUnderTheNote(App& app, int total) {
  const QStringList lines = InfoWindowText(app).split('\n');
  ASSERT_EQ(lines.size(), kKeptLogLines + 1) << "the note and the kept lines";
  EXPECT_EQ(lines.front(), QString("%1 earlier lines were dropped: only the last %2 lines are kept.")
                               .arg(total - kKeptLogLines)
                               .arg(kKeptLogLines));
  EXPECT_EQ(lines.at(1), QString("line %1").arg(total - kKeptLogLines));
  EXPECT_EQ(lines.back(), QString("line %1").arg(total - 1));
}

TEST(DebugLog, TheWindowKeepsTheNewestLinesAndSaysHowManyWentAtItsTop) {
  AppDriver d;
  App& app = d.app();
  app.settings().debugMode = 1;
  const int total = kKeptLogLines * 2 + 500;
  for (int k = 0; k < kKeptLogLines; ++k) DebugLog(app, QString("line %1").arg(k));
  EXPECT_FALSE(InfoWindowText(app).contains("dropped")) << "no note while nothing went";
  EXPECT_TRUE(InfoWindowText(app).startsWith("line 0\n"));
  for (int k = kKeptLogLines; k < total; ++k) DebugLog(app, QString("line %1").arg(k));
  ExpectTheNewestLinesUnderTheNote(app, total);
  // A report replaces the log and its note.
  ShowInfoText(app, "Variable report");
  DebugLog(app, "after the report");
  EXPECT_EQ(InfoWindowText(app), "Variable report\nafter the report");
}

TEST(DebugLog, LinesOfAnotherThreadWaitingForABusyGuiThreadAreBoundedToo) {
  AppDriver d;
  App& app = d.app();
  app.settings().debugMode = 1;
  const int total = kKeptLogLines * 3 + 7;
  size_t mostQueued = 0;
  // The GUI thread takes no line while the server logs.
  std::thread server([&app, &mostQueued, total] {
    for (int k = 0; k < total; ++k) {
      DebugLog(app, QString("line %1").arg(k));
      mostQueued = std::max(mostQueued, QueuedLogLines(app));
    }
  });
  server.join();
  EXPECT_EQ(mostQueued, size_t(kKeptLogLines));
  EXPECT_TRUE(d.waitFor([&] { return QueuedLogLines(app) == 0 && !InfoWindowText(app).isEmpty(); }));
  ExpectTheNewestLinesUnderTheNote(app, total);
  // Later lines move the window on; the one note counts them.
  for (int k = total; k < total + 3; ++k) DebugLog(app, QString("line %1").arg(k));
  ExpectTheNewestLinesUnderTheNote(app, total + 3);
}

TEST(DebugLog, LinesLoggedBeforeTheAppEndsAreDropped) {
  auto d = std::make_unique<AppDriver>();
  App& app = d->app();
  app.settings().debugMode = 1;
  std::thread server([&app] { DebugLog(app, "late line"); });
  server.join();
  d.reset();  // the wake-up is still waiting in the queue
  QCoreApplication::processEvents();
  SUCCEED() << "a late line for an ended App touches nothing";
}

TEST(InfoWindow, TheShippedChangeLogOpensOnAFreshInstallAndFromTheHelpMenu) {
  AppDriver d({.preferences = "[Misc Preferences]\r\nFirmware update = 0\r\n"});
  App& app = d.app();
  ASSERT_TRUE(QFileInfo(d.dataFolder() + "changes.txt").isFile()) << "seeded like the other data";
  ASSERT_EQ(app.state().docs.list.size(), 2) << "the new document and the change log";
  EXPECT_EQ(app.state().docs.list.at(1).name, "changes.txt") << "the start-up rule opened it";
  EXPECT_GT(app.settings().firmwareUpdate, 0);
  d.menu(Item::ChangeLog);
  EXPECT_TRUE(InfoWindowText(app).contains("Vendle")) << InfoWindowText(app).toStdString();
}

}  // namespace
}  // namespace vendle::test
