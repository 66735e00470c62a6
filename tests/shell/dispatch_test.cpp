// The wiring of the main window: every item routes to its handler, and the
// window events reach theirs.
#include <gtest/gtest.h>

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

// Written from the item tables of the main menu, the toolbar and the keys.
const Row kExpected[] = {
    {78, 78, "NewDocument"},
    {79, 79, "OpenWithRequester"},
    {80, 80, "OpenFromStore"},
    {82, 91, "OpenRecent"},
    {92, 92, "CloneDocument"},
    {93, 93, "SaveCurrentDocument"},
    {94, 94, "SaveSnapshot"},
    {95, 95, "SaveAllDocuments"},
    {96, 96, "SaveDocumentAs"},
    {97, 97, "SaveAsInStore"},
    {98, 98, "SaveSelectionAs"},
    {99, 103, "RunExport"},
    {104, 104, "SaveNewFileIntro"},
    {105, 105, "RevertToSaved"},
    {106, 106, "CloseCurrentDocument"},
    {107, 107, "CloseAllDocuments"},
    {108, 108, "PrintCurrentDocument"},
    {109, 109, "ShowPreferences"},
    {111, 111, "FindNext"},
    {112, 112, "JoinLine"},
    {114, 119, "EditorClipboardCommand"},
    {120, 120, "InsertLineEnd"},
    {121, 121, "PasteAsAscii"},
    {122, 122, "InsertFile"},
    {123, 123, "InsertFileFromStore"},
    {124, 124, "InsertIncludeDirective"},
    {126, 126, "ShowFindReplace"},
    {127, 127, "QuickFind"},
    {128, 130, "PrefillCommand"},
    {131, 131, "ShowSyntaxHintAtCaret"},
    {133, 157, "InsertColour"},
    {158, 158, "RunSourceTool"},
    {160, 165, "RunSourceTool"},
    {166, 166, "CommentLines"},
    {167, 167, "UncommentLines"},
    {168, 168, "RunSourceTool"},
    {170, 170, "CleanupLabels"},
    {171, 174, "RunSourceTool"},
    {175, 176, "SetLineEndMode"},
    {178, 178, "Deploy"},
    {179, 182, "SetFontSizeItem"},
    {183, 183, "NewLayoutDesign"},
    {184, 184, "IncorporateLayoutCode"},
    {185, 185, "RefreshLayoutCode"},
    {186, 186, "ReplaceLayoutVariables"},
    {187, 187, "ExtractUserCode"},
    {188, 194, "ViewToggle"},
    {196, 196, "ViewToggle"},
    {198, 198, "SaveKeywordCase"},
    {199, 199, "FoldAll"},
    {200, 200, "UnfoldAll"},
    {201, 201, "RecomputeFoldedLines"},
    {202, 202, "ToggleBookmark"},
    {203, 203, "PreviousBookmark"},
    {204, 204, "NextBookmark"},
    {205, 205, "ClearAllBookmarks"},
    {206, 206, "GotoLine"},
    {207, 207, "FindSubFunction"},
    {208, 208, "ReturnFromSub"},
    {209, 209, "Deploy"},
    {210, 219, "RunExternalProgram"},
    {220, 220, "EditProgramList"},
    {221, 221, "RunDefaultExternalProgram"},
    {223, 232, "RunRavoltProgram"},
    {233, 233, "ToggleIncludeParameters"},
    {234, 263, "ApplySyntaxItem"},
    {275, 275, "SetCurrentSyntaxAsDefault"},
    {276, 276, "ShowAboutBox"},
    {277, 277, "ShowHelpPage"},
    {278, 278, "SyntaxHelpAtCaret"},
    {279, 279, "DetailedSyntaxHelp"},
    {280, 282, "ShowHelpPage"},
    {284, 289, "OpenExternalReference"},
    {290, 290, "ShowChangeLog"},
    {291, 291, "CopyInfFiles"},
    {294, 294, "ReturnKey"},
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
      {Event::Timer(TimerId::Backup), "BackupTick"},
      {Event::Timer(TimerId::StatusRefresh), "StatusRefreshTick"},
      {Event::Timer(TimerId::SyntaxHelpLine), "SyntaxHelpLineTick"},
      {Event::OfKind(EventKind::Move), "LayoutAndStoreMainRect"},
      {Event::OfKind(EventKind::Size), "LayoutAndStoreMainRect"},
      {Event::OfKind(EventKind::RightClick), "ShowEditorPopup"},
      {Event::Drop("/tmp/a.bas\n/tmp/b.bas"), "OpenDroppedFiles"},
      {Event::Command("/cmd goto 3"), "ExecuteControlCommand"},
      {Event::Control(+ControlId::TabBar, +ControlEvent::MouseDown), "TabBarEvent"},
      {Event::Control(+ControlId::FirstEditor, +ControlEvent::FocusGained), "EditorFocusGained"},
      {Event::Control(+ControlId::FirstEditor + 3, +ControlEvent::FocusLost), "EditorFocusLost"},
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

TEST(Dispatch, TheStoredWindowRectangleDoesNotDriftFromRunToRun) {
  AppDriver d;
  d.processEvents(50);
  d.post(Event::OfKind(EventKind::Size));
  const WindowRect r = d.app().settings().mainWindow;
  EXPECT_EQ(r.w, 1100);
  EXPECT_EQ(r.h, 900) << "the inner height comes back as it was stored";
}

}  // namespace
}  // namespace vendle::test
