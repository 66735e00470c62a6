// The status bar texts: the file state of field 1 and the stopwatch of field
// 0, as pure texts and as written for a real editor; and the About box.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <QToolBar>
#include <algorithm>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "platform/ui/toolkit.h"
#include "shell/status_text.h"
#include "shell/ui/main_window.h"
#include "shell/ui/main_window_commands.h"

namespace vendle::test {
namespace {

TEST(StatusText, FileStatus) {
  struct Case {
    qint64 lines, bytes;
    bool modified;
    const char* text;
  };
  const Case cases[] = {
      {3, 10, true, "3 lines/ 10 chars  * Not saved"},
      {3, 10, false, "3 lines/ 10 chars  - Saved"},
      {1, 0, false, "1 lines/ 0 chars  - Saved"},
      {120000, 5000000000, true, "120000 lines/ 5000000000 chars  * Not saved"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFileStatus(c.lines, c.bytes, c.modified), c.text) << c.text;
}

TEST(StatusText, StopwatchSlots) {
  qint64 now = 0;
  Stopwatch watch([&now] { return now; });
  struct Step {
    qint64 clock;
    int selector;
    const char* text;  // nullptr: no field text
  };
  const Step steps[] = {
      {1000, 0, nullptr},  {1250, 1, "250mS"}, {1300, -2, nullptr}, {1400, 2, "100mS"}, {1500, 1, "500mS"},
      {2000, -1, nullptr}, {2007, 1, "7mS"},   {2010, 2, "710mS"},  {2020, 5, nullptr}, {2030, 1, "30mS"},
  };
  for (const Step& s : steps) {
    now = s.clock;
    const Stopwatch::Mark m = watch.mark(s.selector);
    EXPECT_EQ(m.now, s.clock);
    if (s.text) EXPECT_EQ(m.elapsedText.value_or("(none)"), s.text) << s.clock;
    else EXPECT_FALSE(m.elapsedText) << s.clock;
  }
}

TEST(FileStatus, ModifiedThreeLineCrLfDocument) {
  AppDriver d;
  App& app = d.app();
  EditorView* ed = EditorOf(app.toolkit(), +ControlId::FirstEditor + 2);
  ASSERT_NE(ed, nullptr);
  ed->sci().sendText(QsciScintillaBase::SCI_SETTEXT, QByteArray("ab\r\nab\r\nab"));
  UpdateFileStatus(app, ed->control());
  EXPECT_EQ(StatusFieldText(app, StatusField::FileState), "3 lines/ 10 chars  * Not saved");
  ed->sci().send(QsciScintillaBase::SCI_SETSAVEPOINT);
  UpdateFileStatus(app, ed->control());
  EXPECT_EQ(StatusFieldText(app, StatusField::FileState), "3 lines/ 10 chars  - Saved");
}

TEST(FileStatus, CountsTheUtf8BytesOfTheEditor) {
  AppDriver d;
  App& app = d.app();
  EditorView* ed = EditorOf(app.toolkit(), +ControlId::FirstEditor);
  ASSERT_NE(ed, nullptr);
  ed->sci().sendText(QsciScintillaBase::SCI_SETTEXT, QString::fromUtf8("€\n").toUtf8());
  UpdateFileStatus(app, ed->control());
  EXPECT_EQ(StatusFieldText(app, StatusField::FileState), "2 lines/ 4 chars  * Not saved");
}

TEST(FileStatus, AControlThatIsNoEditorWritesNothing) {
  AppDriver d;
  App& app = d.app();
  SetStatusField(app, StatusField::FileState, "unchanged");
  for (int control : {+ControlId::TabBar, +ControlId::StatusBar, 9999}) {
    UpdateFileStatus(app, control);
    EXPECT_EQ(StatusFieldText(app, StatusField::FileState), "unchanged") << control;
  }
}

TEST(MarkTime, WritesTheElapsedMillisecondsIntoFieldZero) {
  AppDriver d;
  App& app = d.app();
  SetStatusField(app, StatusField::Elapsed, "");
  const qint64 start = MarkTime(app, 0);
  EXPECT_EQ(StatusFieldText(app, StatusField::Elapsed), "") << "starting the stopwatch writes nothing";
  const qint64 end = MarkTime(app, 1);
  EXPECT_GE(end, start);
  const QString text = StatusFieldText(app, StatusField::Elapsed);
  ASSERT_TRUE(text.endsWith("mS")) << text.toStdString();
  bool ok = false;
  const qint64 ms = text.chopped(2).toLongLong(&ok);
  EXPECT_TRUE(ok) << text.toStdString();
  EXPECT_EQ(ms, end - start);
}

TEST(TimedCommand, WritesTheElapsedTimeWhenItsScopeEnds) {
  AppDriver d;
  App& app = d.app();
  SetStatusField(app, StatusField::Elapsed, "");
  {
    const TimedCommand timed(app);
    EXPECT_EQ(StatusFieldText(app, StatusField::Elapsed), "") << "nothing is written while the command runs";
  }
  EXPECT_TRUE(StatusFieldText(app, StatusField::Elapsed).endsWith("mS"))
      << StatusFieldText(app, StatusField::Elapsed).toStdString();
}

TEST(CurrentDocument, HoldsIndexRecordAndEditorOfTheShownDocument) {
  AppDriver d;
  App& app = d.app();
  const CurrentDocument cur = GetCurrentDocument(app);
  ASSERT_TRUE(cur);
  EXPECT_EQ(cur.index, app.state().docs.list.currentIndex());
  EXPECT_EQ(cur.record, app.state().docs.list.current());
  EXPECT_EQ(cur.editor->control(), cur.record->editor);
  EXPECT_EQ(cur.editor, CurrentEditor(app));
}

TEST(AboutBox, NamesTheVersionBuildAndFolders) {
  AppDriver d;
  App& app = d.app();
  app.settings().buildDate = "2024/01/02 03:04:05";
  app.settings().backupFolder = "/backups/";
  d.menu(Item::About);
  ASSERT_EQ(d.requesters().asked().size(), 1u);
  const Asked& a = d.requesters().asked().front();
  EXPECT_EQ(a.kind, "message");
  EXPECT_EQ(a.title, "vendle");
  const QStringList lines = a.text.split(QRegularExpression("[\r\n]"));
  ASSERT_GE(lines.size(), 8);
  EXPECT_EQ(lines[0], "Version: V5.2.6  OS Ver: " + app.state().osVersionText);
  EXPECT_EQ(lines[1], "Build date: 2024/01/02 03:04:05");
  EXPECT_TRUE(lines[2].startsWith("Built with ")) << lines[2].toStdString();
  EXPECT_EQ(lines[3], "Program folder: " + app.folders().program);
  EXPECT_EQ(lines[4], "Data folder: " + app.folders().data);
  EXPECT_EQ(lines[5], "File folder: " + app.folders().file);
  EXPECT_EQ(lines[6], "Backup folder: /backups/");
}

}  // namespace
}  // namespace vendle::test

namespace vendle::test {
namespace {

TEST(StatusBar, FourFieldsOfWidths100And200And100AndTheRest) {
  AppDriver d;
  App& app = d.app();
  StatusBar* bar = app.mainWindow()->statusBar();
  ASSERT_NE(bar, nullptr);
  for (int width : {900, 1300}) {
    app.mainWidget()->resize(width, 700);
    d.processEvents();
    bar->layout()->activate();
    QList<QLabel*> fields = bar->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(fields.size(), 4);
    std::sort(fields.begin(), fields.end(), [](QLabel* a, QLabel* b) { return a->x() < b->x(); });
    EXPECT_EQ(fields[0]->width(), 100);
    EXPECT_EQ(fields[1]->width(), 200);
    EXPECT_EQ(fields[2]->width(), 100);
    EXPECT_EQ(fields[3]->x(), 400);
    EXPECT_EQ(fields[3]->x() + fields[3]->width(), bar->width()) << "field 3 takes the rest at " << width;
    EXPECT_EQ(bar->width(), width);
  }
}

TEST(StatusBar, KeepsReadableColoursOnTheBlackWindow) {
  AppDriver d;
  for (QWidget* w : {static_cast<QWidget*>(d.app().mainWindow()->statusBar()),
                     static_cast<QWidget*>(d.app().mainWindow()->toolbar())}) {
    const QColor back = w->palette().color(QPalette::Window);
    EXPECT_GT(back.lightness(), 100) << w->metaObject()->className() << " is drawn on the window's black";
    EXPECT_TRUE(w->autoFillBackground());
  }
}

}  // namespace
}  // namespace vendle::test

namespace vendle::test {
namespace {

TEST(StatusRefresh, TimerPeriodFollowsTheSettingAndAZeroOrLessGives100) {
  struct Case {
    const char* stored;
    int period;
  };
  const Case cases[] = {{"3000", 3000}, {"250", 250}, {"0", 100}, {"-5", 100}};
  for (const Case& c : cases) {
    DriverOptions o;
    o.preferences = QString("[Misc Preferences]\r\nTime to refresh status = %1\r\n").arg(c.stored);
    AppDriver d(o);
    EXPECT_EQ(d.app().toolkit().timerPeriod(+WindowId::Main, +TimerId::StatusRefresh), c.period) << c.stored;
  }
}

TEST(StatusRefresh, TickWritesTheCurrentDocumentsState) {
  AppDriver d;
  App& app = d.app();
  SetStatusField(app, StatusField::FileState, "");
  d.post(Event::Timer(TimerId::StatusRefresh));
  EXPECT_TRUE(StatusFieldText(app, StatusField::FileState).contains(" lines/ ")) << StatusFieldText(app, StatusField::FileState).toStdString();
}

TEST(FileStatus, FollowsEachEditAndShowsItsWholeText) {
  AppDriver d;
  App& app = d.app();
  EditorView* ed = CurrentEditor(app);
  ASSERT_NE(ed, nullptr);
  ed->sci().send(QsciScintillaBase::SCI_SETSAVEPOINT);
  d.processEvents();
  ASSERT_TRUE(StatusFieldText(app, StatusField::FileState).endsWith("- Saved"));
  // Far more than the 3-second timer could show: one burst of edits.
  for (int i = 0; i < 2000; ++i) ed->sci().sendText(QsciScintillaBase::SCI_ADDTEXT, 9, "PRINT 1\r\n");
  d.processEvents();
  const QString shown = StatusFieldText(app, StatusField::FileState);
  EXPECT_TRUE(shown.endsWith("* Not saved")) << shown.toStdString();
  EXPECT_TRUE(shown.startsWith("2")) << shown.toStdString();
  // Every field has room for its text.
  const auto labels = app.mainWindow()->statusBar()->findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 4);
  SetStatusField(app, 2, "a dialect with a long name");
  for (QLabel* l : labels)
    EXPECT_GE(l->contentsRect().width(), l->fontMetrics().horizontalAdvance(l->text())) << l->text().toStdString();
}

}  // namespace
}  // namespace vendle::test
