// The wiring of the main window: the routes no command's own test takes,
// items that lead nowhere, the first layout and the stored window rectangle.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "app_driver.h"
#include "test_files.h"
#include "documents/document_list.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/text_access.h"
#include "platform/ui/toolkit.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

// Most items are posted by the tests of their own commands; these are the
// routes no other test takes, each checked by what it does.

QString Program(AppDriver& d, const QString& name, const QByteArray& text) {
  const QString path = d.root() + name;
  WriteFile(path, text);
  return path;
}

TEST(Dispatch, TheStoreItemsStartTheirRequestersInTheStoreFolder) {
  AppDriver d;
  const QString store = d.root() + "store/";
  QDir().mkpath(store);
  d.app().settings().storeFolder = store;
  d.requesters().answerText(std::nullopt);
  d.menu(Item::OpenFromStore);
  d.requesters().answerText(store + "kept.bas");
  d.menu(Item::SaveAsInStore);
  const auto& asked = d.requesters().asked();
  ASSERT_GE(asked.size(), 2u);
  EXPECT_EQ(asked[0].kind, "open");
  EXPECT_TRUE(asked[0].text.startsWith(store)) << asked[0].text.toStdString();
  EXPECT_EQ(asked[1].kind, "save");
  EXPECT_TRUE(asked[1].text.startsWith(store)) << asked[1].text.toStdString();
  EXPECT_TRUE(QFileInfo(store + "kept.bas").isFile());
}

TEST(Dispatch, EachRecentItemOpensTheFileAtItsPlace) {
  AppDriver d;
  QStringList recent;
  for (int i = 0; i < 10; ++i) recent << Program(d, QStringLiteral("r%1.bas").arg(i), "PRINT " + QByteArray::number(i) + "\r\n");
  d.app().settings().recentFiles = recent;
  ASSERT_EQ(+Item::RecentLast - +Item::RecentFirst, 9);
  for (int item : {+Item::RecentLast, +Item::RecentFirst + 4}) {
    d.menu(static_cast<Item>(item));
    const DocumentRecord* doc = d.app().state().docs.list.current();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->path, recent[item - +Item::RecentFirst]) << "item " << item;
  }
}

TEST(Dispatch, CloneOpensACopyOfTheTextInANewTab) {
  AppDriver d;
  OpenDocument(d.app(), Program(d, "orig.bas", "x = 1\r\nPRINT x\r\n"), false);
  const int before = d.app().state().docs.list.size();
  d.menu(Item::Clone);
  ASSERT_EQ(d.app().state().docs.list.size(), before + 1);
  EXPECT_TRUE(d.app().state().docs.list.current()->name.startsWith("orig_Copy"));
  EXPECT_EQ(GetEditorText(CurrentEditor(d.app())), "x = 1\r\nPRINT x\r\n");
}

TEST(Dispatch, SaveAllWritesEveryChangedDocument) {
  AppDriver d;
  const QString a = Program(d, "a.bas", "PRINT 1\r\n");
  const QString b = Program(d, "b.bas", "PRINT 2\r\n");
  for (const QString& path : {a, b}) {
    OpenDocument(d.app(), path, false);
    CurrentSci(d).sendText(S::SCI_ADDTEXT, 4, "REM ");
  }
  d.requesters().answer(Answer::Yes);
  d.requesters().answer(Answer::Yes);
  d.menu(Item::SaveAll);
  EXPECT_EQ(ReadFile(a), "REM PRINT 1\r\n");
  EXPECT_EQ(ReadFile(b), "REM PRINT 2\r\n");
  EXPECT_EQ(d.requesters().unanswered(), 0u);
}

TEST(Dispatch, SaveNewFileIntroKeepsTheTextWithLfLineEnds) {
  AppDriver d;
  SetEditorText(CurrentEditor(d.app()), u"' My header\r\nOPTION EXPLICIT\r\n", false);
  d.requesters().answer(Answer::Yes);
  d.menu(Item::SaveNewFileIntro);
  EXPECT_EQ(d.app().settings().newFileText, "' My header\nOPTION EXPLICIT\n");
}

TEST(Dispatch, TheViewItemsFlipTheirSettingTheEditorAndTheCheckMark) {
  AppDriver d;
  App& app = d.app();
  Settings& st = app.settings();
  Sci s = CurrentSci(d);
  struct Case {
    Item item;
    int* setting;
    unsigned message;  // what the editor shows of it; 0: nothing to read
  };
  const Case cases[] = {
      {Item::SyntaxColouring, &st.colour, 0},
      {Item::MarkSpaces, &st.whiteSpaceMarkers, S::SCI_GETVIEWWS},
      {Item::ShowLineEndings, &st.showLineEndings, S::SCI_GETVIEWEOL},
      {Item::IndentGuides, &st.showIndent, S::SCI_GETINDENTATIONGUIDES},
      {Item::AutoIndent, &st.autoIndent, 0},
      {Item::ShowColumn, &st.showColumnMarker, S::SCI_GETEDGEMODE},
  };
  for (const Case& c : cases) {
    for (int round = 0; round < 2; ++round) {
      const int was = *c.setting != 0;
      d.menu(c.item);
      EXPECT_EQ(*c.setting != 0, !was) << "item " << +c.item;
      EXPECT_EQ(ItemChecked(app, +c.item), !was) << "item " << +c.item;
      if (c.message) {
        EXPECT_EQ(s.send(c.message) != 0, !was) << "item " << +c.item;
      }
    }
  }
}

// With as many dialects as the Syntax menu holds, each item applies its own.
TEST(Dispatch, EverySyntaxItemAppliesTheDialectItNames) {
  DriverOptions o;
  o.prepare = [](const QString& data) {
    const QByteArray tkn = ReadFile(QStringLiteral(VENDLE_SOURCE_DIR "/resources/data/ATTiny.tkn"));
    for (int i = 0; i < 30; ++i) WriteFile(data + QStringLiteral("Dialect%1.tkn").arg(i, 2, 10, QChar(u'0')), tkn);
  };
  AppDriver d(o);
  OpenDocument(d.app(), Program(d, "t.bas", "10 PRINT 1\r\n"), false);
  int applied = 0;
  for (int item = +Item::SyntaxFirst; item <= +Item::SyntaxLast; ++item) {
    const QString name = ItemText(d.app(), item);
    ASSERT_FALSE(name.isEmpty()) << "item " << item;
    d.menu(static_cast<Item>(item));
    EXPECT_EQ(d.app().state().docs.list.current()->syntax, name) << "item " << item;
    EXPECT_TRUE(ItemChecked(d.app(), item)) << "item " << item;
    ++applied;
  }
  EXPECT_EQ(applied, 30);
}

TEST(Dispatch, ItemsWithoutAHandlerDoNothing) {
  AppDriver d;
  for (int item : {77, 81, 110, 125, 132, 159, 169, 177, 195, 197, 222, 264, 274, 283, 292, 293, 295, 5000}) {
    d.app().noteHandler("-");
    d.post(Event::Menu(item));
    EXPECT_EQ(d.app().lastHandler(), "-") << "item " << item;
  }
}

TEST(Dispatch, FirstLayoutTimerRunsOnceAndLaysOutEveryEditor) {
  AppDriver d;
  App& app = d.app();
  EXPECT_TRUE(app.toolkit().hasTimer(+WindowId::Main, +TimerId::FirstLayout));
  d.post(Event::Timer(TimerId::FirstLayout));
  EXPECT_FALSE(app.toolkit().hasTimer(+WindowId::Main, +TimerId::FirstLayout));
  const int last = +ControlId::FirstEditor + app.settings().maxTabs;
  for (int c = +ControlId::FirstEditor; c <= last; ++c) {
    QWidget* ed = app.toolkit().control(c);
    ASSERT_NE(ed, nullptr) << c;
    EXPECT_GT(ed->width(), 10) << "editor " << c << " was not laid out";
  }
}

TEST(Dispatch, SizingStoresTheMainWindowRectangle) {
  AppDriver d;
  App& app = d.app();
  app.mainWidget()->resize(900, 700);
  d.processEvents();
  d.post(Event::OfKind(EventKind::Size));
  EXPECT_EQ(app.settings().mainWindow.w, 900);
  EXPECT_GT(app.settings().mainWindow.h, 600);
  EXPECT_LE(app.settings().mainWindow.h, 700) << "the height stored is the inner one";
}

}  // namespace
}  // namespace vendle::test

namespace vendle::test {
namespace {

// The stored rectangle comes back as it was stored; one larger than the
// screen (the default on this 800 x 600 screen) is fitted to it once.
TEST(Dispatch, TheStoredWindowRectangleDoesNotDriftFromRunToRun) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  auto run = [](const QString& prefs) {
    DriverOptions o;
    o.preferences = prefs;
    AppDriver d(o);
    d.processEvents(50);
    d.post(Event::OfKind(EventKind::Size));
    return d.app().settings().mainWindow;
  };
  const WindowRect fitted = run(QString());
  EXPECT_LE(fitted.x + fitted.w, screen.right() + 1);
  EXPECT_LE(fitted.y + fitted.h, screen.bottom() + 1);
  const QString stored = QStringLiteral("[Windows]\r\nMainX = %1\r\nMainY = %2\r\nMainW = %3\r\nMainH = %4\r\n")
                             .arg(fitted.x)
                             .arg(fitted.y)
                             .arg(fitted.w)
                             .arg(fitted.h);
  const WindowRect again = run(stored);
  EXPECT_EQ(again.w, fitted.w);
  EXPECT_EQ(again.h, fitted.h) << "the inner height comes back as it was stored";
  EXPECT_EQ(again.x, fitted.x);
  EXPECT_EQ(again.y, fitted.y);
  const WindowRect small = run(QStringLiteral("[Windows]\r\nMainX = 20\r\nMainY = 30\r\nMainW = 500\r\nMainH = 400\r\n"));
  EXPECT_EQ(small.w, 500);
  EXPECT_EQ(small.h, 400);
}

}  // namespace
}  // namespace vendle::test
