// Documents and their editors through the running application.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <cstring>
#include <QWidget>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "documents/ui/documents.h"
#include "documents/ui/tab_strip.h"
#include "editor/ui/editor_view.h"
#include "platform/file_io.h"
#include "platform/ui/toolkit.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

Documents& Docs(AppDriver& d) { return d.app().state().docs; }

void Type(EditorView* ed, const char* text) { ed->sci().sendText(S::SCI_ADDTEXT, std::strlen(text), text); }

// The invariants that hold after any sequence of document operations.
void ExpectConsistent(AppDriver& d) {
  App& app = d.app();
  Documents& docs = Docs(d);
  TabStrip& tabs = app.tabStrip();
  ASSERT_EQ(docs.list.size(), tabs.count());
  for (int i = 0; i < docs.list.size(); ++i) EXPECT_EQ(tabs.text(i), docs.list.at(i).name) << "tab " << i;
  EXPECT_EQ(tabs.selected(), docs.currentTabIndex);
  EXPECT_EQ(docs.list.currentIndex(), docs.currentTabIndex);
  int visible = 0, shownControl = -1;
  for (int c = +ControlId::FirstEditor; c <= +ControlId::FirstEditor + app.settings().maxTabs; ++c)
    if (QWidget* w = app.toolkit().control(c); w && w->isVisible()) {
      ++visible;
      shownControl = c;
    }
  if (docs.list.size() == 0) {
    EXPECT_EQ(visible, 0);
    return;
  }
  EXPECT_EQ(visible, 1);
  EXPECT_EQ(shownControl, docs.list.at(docs.currentTabIndex).editor);
  EXPECT_EQ(docs.editorSlots.usedCount(), docs.list.size());
}

TEST(Documents, StartUpOpensOneUntitledDocument) {
  AppDriver d;
  ASSERT_EQ(Docs(d).list.size(), 1);
  EXPECT_EQ(Docs(d).list.at(0).name, "untitled.bas");
  EXPECT_EQ(Docs(d).list.at(0).editor, +ControlId::FirstEditor);
  ExpectConsistent(d);
}

TEST(Documents, OneMoreThanMaxTabsIsRefusedAndChangesNothing) {
  AppDriver d;
  App& app = d.app();
  const int max = app.settings().maxTabs;
  while (Docs(d).list.size() < max) ASSERT_GE(CreateDocumentTab(app, d.root() + QString("f%1.bas").arg(Docs(d).list.size())), 0);
  EXPECT_EQ(Docs(d).list.at(max - 1).editor, +ControlId::FirstEditor + max - 1);
  const int shown = Docs(d).currentTabIndex;
  EXPECT_EQ(CreateDocumentTab(app, d.root() + "one-more.bas"), -1);
  ASSERT_FALSE(d.requesters().asked().empty());
  EXPECT_EQ(d.requesters().asked().back().title, "Oops!");
  EXPECT_EQ(d.requesters().asked().back().text, "Too many tabs open.");
  EXPECT_EQ(Docs(d).list.size(), max);
  EXPECT_EQ(Docs(d).currentTabIndex, shown);
  ExpectConsistent(d);
}

TEST(Documents, AClosedSlotIsReusedClean) {
  AppDriver d;
  App& app = d.app();
  const int a = CreateDocumentTab(app, d.root() + "a.bas");
  EditorView* ed = EditorOfDocument(app, a);
  ASSERT_NE(ed, nullptr);
  Type(ed, "DIM x\r\nSUB s\r\nEND SUB\r\n");
  ed->sci().send(S::SCI_MARKERADD, 1, 0);
  ed->sci().send(S::SCI_SETEOLMODE, S::SC_EOL_LF);
  const int control = ed->control();
  d.requesters().answer(Answer::No);  // do not save
  d.menu(Item::Close);
  ASSERT_EQ(Docs(d).list.size(), 1);
  const int b = CreateDocumentTab(app, d.root() + "b.bas");
  EditorView* again = EditorOfDocument(app, b);
  ASSERT_EQ(again->control(), control) << "the lowest free slot is taken";
  Sci s = again->sci();
  EXPECT_EQ(s.length(), 0);
  EXPECT_EQ(s.send(S::SCI_MARKERNEXT, 0, ~0), -1) << "markers left behind";
  EXPECT_EQ(s.send(S::SCI_CANUNDO), 0) << "undo history left behind";
  EXPECT_FALSE(s.modified());
  EXPECT_EQ(s.send(S::SCI_GETEOLMODE), S::SC_EOL_CRLF) << "the line-end mode of the settings";
  ExpectConsistent(d);
}

TEST(Documents, RandomCreatesSwitchesAndClosesKeepTabsAndDocumentsInStep) {
  AppDriver d;
  App& app = d.app();
  QRandomGenerator rng(20261210);
  for (int step = 0; step < 150; ++step) {
    const int n = Docs(d).list.size();
    const int op = rng.bounded(4);
    switch (op) {
      case 0:
        CreateDocumentTab(app, d.root() + QString("doc%1.bas").arg(step));
        break;
      case 1:
        if (n > 0) SwitchDocumentTab(app, rng.bounded(n), Docs(d).currentTabIndex);
        break;
      case 2:
        if (n > 0) {
          app.tabStrip().select(rng.bounded(n));
          d.menu(Item::Close);
        }
        break;
      case 3:
        if (n > 0) CloseDocumentTab(app, rng.bounded(n));
        break;
    }
    SCOPED_TRACE(step);
    ExpectConsistent(d);
    if (::testing::Test::HasFailure()) FAIL() << "after step " << step << " op " << op;
  }
}

TEST(Documents, ClosingTheOnlyTabLeavesANewUntitledOne) {
  AppDriver d;
  CreateDocumentTab(d.app(), d.root() + "only.bas");
  CloseDocumentTab(d.app(), 0);  // the untitled start document
  ASSERT_EQ(Docs(d).list.size(), 1);
  d.menu(Item::Close);
  ASSERT_EQ(Docs(d).list.size(), 1);
  EXPECT_EQ(Docs(d).list.at(0).name, "untitled.bas");
  ExpectConsistent(d);
}

TEST(Documents, ClosingAMiddleDocumentShowsTheOneThatMovedIntoItsPlace) {
  AppDriver d;
  App& app = d.app();
  CreateDocumentTab(app, d.root() + "a.bas");
  CreateDocumentTab(app, d.root() + "b.bas");
  CreateDocumentTab(app, d.root() + "c.bas");
  CloseDocumentTab(app, 2);
  EXPECT_EQ(Docs(d).list.at(Docs(d).currentTabIndex).name, "c.bas");
  CloseDocumentTab(app, 3);
  EXPECT_EQ(Docs(d).list.at(Docs(d).currentTabIndex).name, "c.bas") << "the new last one";
  ExpectConsistent(d);
}

TEST(Documents, CloseAllAsksFromTheLastToTheFirstAndCancelClosesNothing) {
  AppDriver d;
  App& app = d.app();
  for (const char* name : {"one.bas", "two.bas", "three.bas"}) {
    CreateDocumentTab(app, d.root() + name);
    Type(CurrentEditor(app), "PRINT 1\r\n");
  }
  d.requesters().clear();
  d.requesters().answer(Answer::No);
  d.requesters().answer(Answer::Cancel);
  d.menu(Item::CloseAll);
  const auto& asked = d.requesters().asked();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].title, "File changed");
  EXPECT_EQ(asked[0].text, "Do you want to save changes to\nthree.bas?");
  EXPECT_EQ(asked[1].text, "Do you want to save changes to\ntwo.bas?");
  EXPECT_EQ(Docs(d).list.size(), 4) << "Cancel closes nothing";
  ExpectConsistent(d);
}

TEST(Documents, AFailedSaveStopsACloseLikeCancel) {
  AppDriver d;
  App& app = d.app();
  const QString path = d.root() + "keep.bas";
  CreateDocumentTab(app, path);
  Type(CurrentEditor(app), "PRINT 1\r\n");
  ScopedFileFault fault({FileFault::Step::Commit, path, 0});
  d.requesters().answer(Answer::Yes);
  d.menu(Item::Close);
  ASSERT_EQ(Docs(d).list.size(), 2) << "a text is never lost because its save failed";
  d.requesters().answer(Answer::Yes);
  d.menu(Item::CloseAll);
  EXPECT_EQ(Docs(d).list.size(), 2);
  EXPECT_GT(CurrentEditor(app)->sci().length(), 0);
  EXPECT_TRUE(CurrentEditor(app)->sci().modified());
}

TEST(Documents, ExitWithAModifiedDocumentAndAFailedSaveKeepsRunning) {
  AppDriver d;
  App& app = d.app();
  app.settings().confirmBeforeExit = 0;
  const QString path = d.root() + "a.bas";
  CreateDocumentTab(app, path);
  Type(CurrentEditor(app), "x = 1\r\n");
  ScopedFileFault fault({FileFault::Step::Open, path, 0});
  d.requesters().answer(Answer::Yes);
  d.post(Event::OfKind(EventKind::Close));
  EXPECT_EQ(app.state().quitFlag, 0);
  EXPECT_FALSE(app.loopEnded());
  EXPECT_EQ(Docs(d).list.size(), 2);
}

TEST(Documents, ExitClosesEveryDocumentAndCreatesNoNewOne) {
  AppDriver d;
  App& app = d.app();
  app.settings().confirmBeforeExit = 0;
  CreateDocumentTab(app, d.root() + "a.bas");
  d.post(Event::OfKind(EventKind::Close));
  EXPECT_EQ(app.state().quitFlag, 1);
  EXPECT_EQ(Docs(d).list.size(), 0);
  EXPECT_EQ(Docs(d).currentTabIndex, -1);
  ExpectConsistent(d);
}

}  // namespace
}  // namespace vendle::test
