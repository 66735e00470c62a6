// The wiring of the main window: every item routes to its handler, and the
// window events reach theirs.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <QWidget>

#include "app_driver.h"
#include "platform/ui/toolkit.h"

namespace vendle::test {
namespace {

struct Row {
  int first;
  int last;
  const char* handler;
};

// Written from the item tables of the main menu, the toolbar and the keys:
// each item's handler and the arguments it is called with, as the route spells
// the call (Exit is left out: it would end the driver's editor).
const Row kExpected[] = {
    {78, 78, "NewDocument(a)"},
    {79, 79, "OpenWithRequester(a, false)"},
    {80, 80, "OpenWithRequester(a, true)"},
    {82, 91, "OpenRecent(a, i - +Item::RecentFirst)"},
    {92, 92, "CloneDocument(a)"},
    {93, 93, "SaveCurrentDocument(a)"},
    {94, 94, "SaveSnapshot(a)"},
    {95, 95, "SaveAllDocuments(a)"},
    {96, 96, "SaveDocumentAs(a, false)"},
    {97, 97, "SaveDocumentAs(a, true)"},
    {98, 98, "SaveSelectionAs(a)"},
    {99, 103, "RunExport(a, i)"},
    {104, 104, "SaveNewFileIntro(a)"},
    {105, 105, "RevertToSaved(a)"},
    {106, 106, "CloseCurrentDocument(a)"},
    {107, 107, "CloseAllDocuments(a)"},
    {108, 108, "PrintCurrentDocument(a)"},
    {109, 109, "ShowPreferences(a, 0)"},
    {111, 111, "FindNext(a)"},
    {112, 112, "JoinLine(a)"},
    {114, 119, "EditorClipboardCommand(a, i)"},
    {120, 120, "InsertLineEnd(a)"},
    {121, 121, "PasteAsAscii(a)"},
    {122, 122, "InsertFileCommand(a, false)"},
    {123, 123, "InsertFileCommand(a, true)"},
    {124, 124, "InsertIncludeDirective(a)"},
    {126, 126, "ShowFindReplace(a)"},
    {127, 127, "QuickFind(a)"},
    {128, 130, "PrefillCommand(a, i)"},
    {131, 131, "ShowSyntaxHintAtCaret(a)"},
    {133, 157, "InsertColour(a, i)"},
    {158, 158, "RunSourceTool(a, i)"},
    {160, 165, "RunSourceTool(a, i)"},
    {166, 166, "CommentLines(a, true)"},
    {167, 167, "CommentLines(a, false)"},
    {168, 168, "RunSourceTool(a, i)"},
    {170, 170, "CleanupLabelsCommand(a)"},
    {171, 174, "RunSourceTool(a, i)"},
    {175, 175, "SetLineEndMode(a, 0)"},
    {176, 176, "SetLineEndMode(a, 1)"},
    {178, 178, "Deploy(a)"},
    {179, 182, "SetFontSizeItem(a, i)"},
    {183, 183, "NewLayoutDesign(a)"},
    {184, 184, "IncorporateLayoutCode(a)"},
    {185, 185, "RefreshLayoutCode(a)"},
    {186, 186, "ReplaceLayoutVariables(a)"},
    {187, 187, "ExtractUserCode(a)"},
    {188, 194, "ViewToggle(a, i)"},
    {196, 196, "ViewToggle(a, i)"},
    {198, 198, "SaveKeywordCase(a)"},
    {199, 199, "FoldAllCommand(a)"},
    {200, 200, "UnfoldAllCommand(a)"},
    {201, 201, "RecomputeFoldedLines(a)"},
    {202, 202, "ToggleBookmark(a)"},
    {203, 203, "PreviousBookmark(a)"},
    {204, 204, "NextBookmark(a)"},
    {205, 205, "ClearAllBookmarks(a)"},
    {206, 206, "GotoLineCommand(a)"},
    {207, 207, "FindSubFunction(a)"},
    {208, 208, "ReturnFromSub(a)"},
    {209, 209, "Deploy(a)"},
    {210, 219, "RunExternalProgram(a, i - +Item::ExternalFirst)"},
    {220, 220, "ShowPreferences(a, 1)"},
    {221, 221, "RunDefaultExternalProgram(a)"},
    {223, 232, "RunRavoltProgram(a, i - +Item::RavoltFirst)"},
    {233, 233, "ToggleIncludeParameters(a)"},
    {234, 263, "ApplySyntaxItem(a, i)"},
    {275, 275, "SetCurrentSyntaxAsDefault(a)"},
    {276, 276, "ShowAboutBox(a)"},
    {277, 277, "ShowHelpPage(a, i)"},
    {278, 278, "SyntaxHelpAtCaret(a, false)"},
    {279, 279, "SyntaxHelpAtCaret(a, true)"},
    {280, 282, "ShowHelpPage(a, i)"},
    {284, 289, "OpenExternalReference(a, i - +Item::ExtRefFirst)"},
    {290, 290, "ShowFileInInfoWindow(a, a.folders().changeLog)"},
    {291, 291, "CopyInfFiles(a)"},
    {294, 294, "ReturnKey(a)"},
};

TEST(Dispatch, EveryItemRunsItsHandler) {
  AppDriver d;
  App& app = d.app();
  for (const Row& r : kExpected) {
    for (int item = r.first; item <= r.last; ++item) {
      app.noteHandler("-");
      d.post(Event::Menu(item));
      EXPECT_EQ(app.lastHandler().toStdString(), r.handler) << "item " << item;
    }
  }
}

TEST(Dispatch, ItemsWithoutAHandlerDoNothing) {
  AppDriver d;
  for (int item : {77, 81, 110, 125, 132, 159, 169, 177, 195, 197, 222, 264, 274, 283, 292, 293, 295, 5000}) {
    d.app().noteHandler("-");
    d.post(Event::Menu(item));
    EXPECT_EQ(d.app().lastHandler(), "-") << "item " << item;
  }
}

TEST(Dispatch, WindowEventsOfTheMainWindow) {
  AppDriver d;
  App& app = d.app();
  struct Case {
    Event event;
    const char* handler;
  };
  const Case cases[] = {
      {Event::Timer(TimerId::Backup), "BackupTick(app)"},
      {Event::Timer(TimerId::StatusRefresh), "StatusRefreshTick(app)"},
      {Event::Timer(TimerId::SyntaxHelpLine), "SyntaxHelpLineTick(app)"},
      {Event::OfKind(EventKind::Move), "LayoutAndStoreMainRect(app)"},
      {Event::OfKind(EventKind::Size), "LayoutAndStoreMainRect(app)"},
      {Event::OfKind(EventKind::RightClick), "ShowEditorPopup(app, e.x, e.y)"},
      {Event::Drop("/tmp/a.bas\n/tmp/b.bas"), "OpenDocumentList(app, e.text, true)"},
      {Event::Command("/cmd goto 3"), "ExecuteControlCommand(app, e.text)"},
      {Event::Control(+ControlId::TabBar, +ControlEvent::MouseDown), "TabBarEvent(app, e)"},
      {Event::Control(+ControlId::FirstEditor, +ControlEvent::FocusGained), "AddReturnShortcuts(app)"},
      {Event::Control(+ControlId::FirstEditor + 3, +ControlEvent::FocusLost), "RemoveReturnShortcuts(app)"},
  };
  for (const Case& c : cases) {
    app.noteHandler("-");
    d.post(c.event);
    EXPECT_EQ(app.lastHandler().toStdString(), c.handler) << c.event;
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
