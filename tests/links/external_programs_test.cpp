// Running the current document with the Action menu's programs and handing
// it to the companion, through the running application: what is written or
// saved first, what the started program receives, and the refusals.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstring>
#include <memory>

#include "app_driver.h"
#include "test_files.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/bookmarks_folds.h"
#include "editor/ui/editor_view.h"
#include "editor/ui/text_access.h"
#include "links/ui/external_programs.h"
#include "platform/file_io.h"
#include "platform/process.h"
#include "platform/ui/shift_state.h"
#include "platform/ui/toolkit.h"
#include "recorder.h"
#include "shell/ui/info_window.h"
#include "shell/ui/services.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

// Records every start the editor asks for, for the length of a test.
class StartLog {
 public:
  StartLog() {
    SetProcessStartObserver([this](const ProcessStart& s, const StartOutcome& o) { starts.push_back({s, o}); });
  }
  ~StartLog() { SetProcessStartObserver({}); }
  std::vector<std::pair<ProcessStart, StartOutcome>> starts;
};

// The search path for a test, restored afterwards.
class ScopedPath {
 public:
  explicit ScopedPath(const QString& path) : old_(qgetenv("PATH")), oldTerminal_(qgetenv("TERMINAL")) {
    qputenv("PATH", path.toUtf8());
    qunsetenv("TERMINAL");
  }
  ~ScopedPath() {
    qputenv("PATH", old_);
    if (!oldTerminal_.isEmpty()) qputenv("TERMINAL", oldTerminal_);
  }

 private:
  QByteArray old_, oldTerminal_;
};

struct Fixture {
  AppDriver d;
  App& app = d.app();
  StartLog log;

  QString out() const { return d.root() + "received"; }
  QString recorder() const { return d.root() + "bin/recorder"; }
  QString untitledCopy() { return app.folders().file + "untitled.bas"; }

  Fixture() {
    QDir().mkpath(d.root() + "bin");
    WriteRecorder(recorder(), out());
  }
  void setText(const QString& text) { SetEditorText(CurrentEditor(app), text, false); }
  // Entry 0 starts the recorder with the file as its one argument.
  void useRecorderEntries(int count = 1) {
    app.settings().externalPrograms.clear();
    for (int i = 0; i < count; ++i)
      app.settings().externalPrograms.push_back(
          {QStringLiteral("Rec %1").arg(i), QString(), "'" + recorder() + "'", QStringLiteral("'%bas%'"), 0});
  }
  Received run(Item item) {
    QFile::remove(out());
    d.menu(item);
    return WaitForRecord(out());
  }
  int messages(const QString& title) {
    int n = 0;
    for (const Asked& a : d.requesters().asked()) n += a.kind == "message" && a.title == title;
    return n;
  }
};

TEST(ExternalPrograms, UntitledDocumentIsWrittenEachRunAndListedOnce) {
  Fixture f;
  f.useRecorderEntries();
  f.setText(QString::fromUtf8("PRINT \u201Chi\u201D \u00E9\r\n"));
  for (int run = 0; run < 3; ++run) {
    const Received got = f.run(Item::ExternalFirst);
    ASSERT_TRUE(got.arrived) << "run " << run;
    EXPECT_EQ(got.arguments, QStringList{f.untitledCopy()});
    EXPECT_EQ(got.folder, Canonical(f.app.folders().file)) << "an empty folder is the file's folder";
  }
  // Written as it is, in the ANSI code page: runs do not convert smart quotes.
  EXPECT_EQ(ReadFile(f.untitledCopy()), QByteArray("PRINT \x93hi\x94 \xE9\r\n"));
  EXPECT_EQ(f.app.state().tempFiles, QStringList{f.untitledCopy()});
  f.d.shutDown();
  EXPECT_FALSE(QFile::exists(f.untitledCopy())) << "the copy is deleted at exit";
}

TEST(ExternalPrograms, AnUntitledFileTheUserOwnsIsNeverOverwrittenOrDeleted) {
  Fixture f;
  f.useRecorderEntries();
  WriteFile(f.untitledCopy(), "the user's own program");
  f.setText("PRINT 2");
  const Received got = f.run(Item::ExternalFirst);
  ASSERT_TRUE(got.arrived);
  ASSERT_EQ(got.arguments.size(), 1);
  const QString copy = got.arguments[0];
  EXPECT_NE(copy, f.untitledCopy());
  EXPECT_TRUE(copy.endsWith("/untitled.bas"));
  EXPECT_EQ(ReadFile(copy), "PRINT 2");
  EXPECT_EQ(f.app.state().tempFiles, QStringList{copy});
  f.d.shutDown();
  EXPECT_EQ(ReadFile(f.untitledCopy()), "the user's own program");
  EXPECT_FALSE(QFile::exists(copy));
}

TEST(ExternalPrograms, ACopyThatCannotBeWrittenStartsNothing) {
  Fixture f;
  f.useRecorderEntries();
  f.setText("PRINT 3");
  ScopedFileFault fault({FileFault::Step::Open, f.untitledCopy()});
  f.d.menu(Item::ExternalFirst);
  EXPECT_TRUE(f.log.starts.empty());
  EXPECT_EQ(f.messages("Oops!"), 1);
  EXPECT_TRUE(f.app.state().tempFiles.isEmpty());
}

TEST(ExternalPrograms, NamedDocumentIsSavedWhenModifiedAndLeftAloneWhenNot) {
  Fixture f;
  f.useRecorderEntries();
  const QString path = f.d.root() + "prog dir/a b.bas";
  QDir().mkpath(f.d.root() + "prog dir");
  WriteFile(path, "PRINT 1\r\n");
  OpenDocument(f.app, path, false);

  // Unchanged: the file on disk is handed over as it is, not written.
  WriteFile(path, "changed behind the editor\r\n");
  Received got = f.run(Item::ExternalFirst);
  ASSERT_TRUE(got.arrived);
  EXPECT_EQ(got.arguments, QStringList{path});
  EXPECT_EQ(got.folder, Canonical(f.d.root() + "prog dir"));
  EXPECT_EQ(ReadFile(path), "changed behind the editor\r\n");

  // Modified: saved first.
  f.setText("PRINT 42\r\n");
  got = f.run(Item::ExternalFirst);
  ASSERT_TRUE(got.arrived);
  EXPECT_EQ(got.arguments, QStringList{path});
  EXPECT_EQ(ReadFile(path), "PRINT 42\r\n");
  EXPECT_FALSE(CurrentEditor(f.app)->sci().modified());

  // Its file gone from disk: saved again before the run.
  QFile::remove(path);
  got = f.run(Item::ExternalFirst);
  ASSERT_TRUE(got.arrived);
  EXPECT_EQ(ReadFile(path), "PRINT 42\r\n");
  EXPECT_TRUE(f.app.state().tempFiles.isEmpty());
}

TEST(ExternalPrograms, ASaveThatFailsStartsNothing) {
  Fixture f;
  f.useRecorderEntries();
  const QString path = f.d.root() + "a.bas";
  WriteFile(path, "PRINT 1\r\n");
  OpenDocument(f.app, path, false);
  f.setText("PRINT 2\r\n");
  {
    ScopedFileFault fault({FileFault::Step::Write, path, 2});
    f.d.menu(Item::ExternalFirst);
  }
  EXPECT_TRUE(f.log.starts.empty()) << "the old file would have been run";
  EXPECT_GE(f.messages("Oops!"), 1);
  EXPECT_EQ(ReadFile(path), "PRINT 1\r\n");
}

TEST(ExternalPrograms, RefusalsStartNothingAndWriteNothing) {
  struct Row {
    const char* what;
    QString program;  // of entry 0
    int entries;
    Item item;
    int hotLink;
  };
  const Row rows[] = {
      {"empty program", "", 1, Item::ExternalFirst, 0},
      {"program not set", "  Not set ", 1, Item::ExternalFirst, 0},
      {"item past the list", "/bin/true", 2, static_cast<Item>(+Item::ExternalFirst + 5), 0},
      {"default past the list", "/bin/true", 2, Item::RunDefaultExternal, 7},
      {"default below the list", "/bin/true", 2, Item::RunDefaultExternal, -1},
      {"empty list", "/bin/true", 0, Item::RunDefaultExternal, 0},
      {"sibling list not installed", "/bin/true", 1, Item::RavoltFirst, 0},
      {"sibling item past the list", "/bin/true", 1, static_cast<Item>(+Item::RavoltFirst + 3), 0},
  };
  for (const Row& r : rows) {
    Fixture f;
    f.useRecorderEntries(r.entries);
    if (r.entries > 0) f.app.settings().externalPrograms[0].program = r.program;
    f.app.settings().externalHotLink = r.hotLink;
    f.app.settings().ravoltPrograms = {{QStringLiteral("Not installed"), {}, {}, {}, 0}};
    f.setText("PRINT 1");
    f.d.menu(r.item);
    EXPECT_TRUE(f.log.starts.empty()) << r.what;
    ASSERT_EQ(f.d.requesters().asked().size(), 1u) << r.what;
    EXPECT_EQ(f.d.requesters().asked()[0].title, "Oops!") << r.what;
    EXPECT_EQ(f.d.requesters().asked()[0].text, "Path to external program not set") << r.what;
    EXPECT_FALSE(QFile::exists(f.untitledCopy())) << r.what;
    EXPECT_TRUE(f.app.state().tempFiles.isEmpty()) << r.what;
  }
}

// Each item of the Action menu's two lists runs the entry at its own place,
// the last as well as the first.
TEST(ExternalPrograms, EveryItemOfBothListsRunsTheEntryAtItsPlace) {
  Fixture f;
  auto entries = [](const char* list) {
    std::vector<ExternalProgramEntry> out;
    for (int i = 0; i < 10; ++i)
      out.push_back({QStringLiteral("%1 %2").arg(list).arg(i), QString(), QStringLiteral("'/bin/true'"),
                     QStringLiteral("'%1 %2'").arg(list).arg(i), 0});
    return out;
  };
  f.app.settings().externalPrograms = entries("own");
  f.app.settings().ravoltPrograms = entries("sibling");
  f.setText("PRINT 1");
  const struct {
    Item first, last;
    const char* list;
  } lists[] = {{Item::ExternalFirst, Item::ExternalLast, "own"}, {Item::RavoltFirst, Item::RavoltLast, "sibling"}};
  for (const auto& l : lists) {
    ASSERT_EQ(+l.last - +l.first, 9);
    for (int item = +l.first; item <= +l.last; ++item) {
      f.log.starts.clear();
      f.d.menu(static_cast<Item>(item));
      ASSERT_EQ(f.log.starts.size(), 1u) << "item " << item;
      EXPECT_EQ(f.log.starts[0].first.arguments.value(0), QStringLiteral("%1 %2").arg(l.list).arg(item - +l.first))
          << "item " << item;
    }
  }
  EXPECT_TRUE(f.d.requesters().asked().empty());
}

TEST(ExternalPrograms, AStartThatFailsIsReported) {
  Fixture f;
  f.app.settings().externalPrograms = {
      {"Missing", "'%baspath%'", "'" + f.d.root() + "no such program'", "'%bas%'", 0},
      {"No script", "'%baspath%'", "'%vdlpath%x'", "'%bas%'", 9},
  };
  f.setText("PRINT 1");
  f.d.menu(Item::ExternalFirst);
  ASSERT_EQ(f.log.starts.size(), 1u);
  EXPECT_FALSE(f.log.starts[0].second.ok);
  QString info = InfoWindowText(f.app);
  EXPECT_TRUE(info.startsWith("Missing\n")) << info.toStdString();
  EXPECT_TRUE(info.contains("Could not start " + f.d.root() + "no such program:\n\"" + f.d.root() +
                            "no such program\" does not exist"))
      << info.toStdString();
  f.d.menu(static_cast<Item>(+Item::ExternalFirst + 1));
  EXPECT_EQ(f.log.starts.size(), 1u) << "no runhere9.sh anywhere";
  info = InfoWindowText(f.app);
  EXPECT_TRUE(info.startsWith("No script\n")) << info.toStdString();
  EXPECT_TRUE(info.contains("runhere9.sh")) << info.toStdString();
  EXPECT_TRUE(f.d.requesters().asked().empty()) << "told in the information window, not by a requester";
}

TEST(ExternalPrograms, RunInDosWithoutAnInterpreterSaysSoInTheInformationWindow) {
  Fixture f;
  WatchLog watches;
  ScopedPath path(f.d.root() + "bin");  // neither an interpreter nor a terminal
  // The built-in first entry and its shipped script, by F6.
  f.app.settings().externalPrograms = {{"Run in DOS", "'%baspath%'", "'%vdlpath%MMBasic.exe'", "'%bas%'", 1}};
  f.app.settings().externalHotLink = 0;
  f.setText("PRINT 1");
  f.d.menu(Item::RunDefaultExternal);
  ASSERT_EQ(f.log.starts.size(), 1u);
  ASSERT_TRUE(f.log.starts[0].second.ok) << f.log.starts[0].second.error.toStdString();
  ASSERT_TRUE(watches.waitFor(1));
  const QString info = InfoWindowText(f.app);
  EXPECT_TRUE(info.startsWith("Run in DOS\n")) << info.toStdString();
  EXPECT_TRUE(info.contains(f.app.folders().data + "runhere1.sh")) << info.toStdString();
  EXPECT_TRUE(info.contains("It ended at once with exit status 1.")) << info.toStdString();
  EXPECT_TRUE(info.contains("runhere1.sh: no MMBasic interpreter")) << info.toStdString();
  EXPECT_TRUE(f.d.requesters().asked().empty());
  EXPECT_TRUE(NoZombieChildren());
}

TEST(ExternalPrograms, WhatEndsAtOnceWithAFailureIsShownAndNothingElse) {
  struct Row {
    const char* what;
    QByteArray script;
    std::vector<const char*> shown;  // empty: the information window stays closed
    std::vector<const char*> notShown;
  };
  const Row rows[] = {
      {"a message and a status", "printf 'no MMBasic interpreter\\n' >&2; exit 1",
       {"Interp\nProgram: ", "It ended at once with exit status 1.\nIts error output:\nno MMBasic interpreter\n"},
       {}},
      {"no word", "exit 4", {"exit status 4.\nIt wrote nothing to its error output."}, {}},
      {"a signal", "kill -KILL $$", {"It was ended at once by signal 9"}, {}},
      {"not UTF-8", "printf '\\351t\\351\\n' >&2; exit 2", {"\xc3\xa9t\xc3\xa9"}, {}},
      {"much output, the end kept", "i=0; while [ $i -lt 900 ]; do echo \"error $i.\" >&2; i=$((i+1)); done; exit 5",
       {"The end of its error output:\n...\n", "error 899.\n"}, {"error 1.\n", "error 100.\n"}},
      {"ends well after a while", "sleep 0.3; echo 'all is well' >&2; exit 0", {}, {}},
  };
  for (const Row& r : rows) {
    Fixture f;
    WatchLog watches;
    const QString script = WriteScript(f.d.root() + "bin/interp", r.script);
    f.app.settings().externalPrograms = {{"Interp", "'%baspath%'", "'" + script + "'", "'%bas%'", 0}};
    f.setText("PRINT 1");
    f.d.menu(Item::RunDefaultExternal);
    ASSERT_TRUE(watches.waitFor(1)) << r.what;
    const QString info = InfoWindowText(f.app);
    if (r.shown.empty()) {
      EXPECT_TRUE(info.isEmpty()) << r.what << info.toStdString();
    }
    for (const char* t : r.shown) EXPECT_TRUE(info.contains(QString::fromUtf8(t))) << r.what << info.toStdString();
    for (const char* t : r.notShown) EXPECT_FALSE(info.contains(QString::fromUtf8(t))) << r.what;
    EXPECT_LT(info.size(), kErrorTailBytes + 1000) << r.what;
    EXPECT_TRUE(f.d.requesters().asked().empty()) << r.what;
    EXPECT_TRUE(NoZombieChildren()) << r.what;
  }
}

TEST(ExternalPrograms, AProgramThatKeepsRunningIsLeftAloneAndOutlivesTheWatch) {
  Fixture f;
  WatchLog watches;
  const QString script = WriteScript(f.d.root() + "bin/terminal", "echo 'a warning' >&2\nexec sleep 30");
  f.app.settings().externalPrograms = {{"Term", "'%baspath%'", "'" + script + "'", "'%bas%'", 0}};
  f.setText("PRINT 1");
  f.d.menu(Item::RunDefaultExternal);
  ASSERT_EQ(f.log.starts.size(), 1u);
  const qint64 pid = f.log.starts[0].second.pid;
  ASSERT_TRUE(watches.waitFor(1));
  EXPECT_EQ(watches.ends[0].second.state, EarlyEnd::State::Running);
  EXPECT_TRUE(InfoWindowText(f.app).isEmpty());
  EXPECT_NE(ParentOf(pid), 0) << "still running";
  EXPECT_NE(ParentOf(pid), ::getpid()) << "no child of the editor";
  f.d.shutDown();
  EXPECT_NE(ParentOf(pid), 0) << "the editor's end does not end it";
  ::kill(static_cast<pid_t>(pid), SIGKILL);
  EXPECT_TRUE(NoZombieChildren());
}

// Menu items 210.. and button 221 as the main menu makes them, when it has not.
void EnsureItems(App& app, int count) {
  for (int i = 0; i < count; ++i)
    if (!app.toolkit().item(+Item::ExternalFirst + i))
      app.toolkit().registerItem(+Item::ExternalFirst + i, new QAction(app.mainWidget()));
  if (!app.toolkit().item(+Item::RunDefaultExternal))
    app.toolkit().registerItem(+Item::RunDefaultExternal, new QAction(app.mainWidget()));
}

TEST(ExternalPrograms, ShiftMakesTheChosenEntryTheDefaultThenRunsIt) {
  Fixture f;
  f.useRecorderEntries(3);
  EnsureItems(f.app, 3);
  LabelExternalProgramItems(f.app);
  f.setText("PRINT 1");
  auto checked = [&](int i) { return f.app.toolkit().item(+Item::ExternalFirst + i)->isChecked(); };
  auto tooltip = [&] { return f.app.toolkit().item(+Item::RunDefaultExternal)->toolTip(); };
  EXPECT_TRUE(checked(0));
  EXPECT_EQ(tooltip(), "Rec 0");

  // Without Shift the default stays.
  {
    ScopedShiftHeld up(false);
    ASSERT_TRUE(f.run(static_cast<Item>(+Item::ExternalFirst + 2)).arrived);
  }
  EXPECT_EQ(f.app.settings().externalHotLink, 0);

  {
    ScopedShiftHeld held(true);
    ASSERT_TRUE(f.run(static_cast<Item>(+Item::ExternalFirst + 2)).arrived);
  }
  EXPECT_EQ(f.app.settings().externalHotLink, 2);
  EXPECT_FALSE(checked(0));
  EXPECT_TRUE(checked(2));
  EXPECT_EQ(tooltip(), "Rec 2");

  // F6 now runs entry 2; Shift with a program that is not set still moves the default.
  f.app.settings().externalPrograms[2].parameters = "'%bas%' two";
  const Received got = f.run(Item::RunDefaultExternal);
  EXPECT_EQ(got.arguments, (QStringList{f.untitledCopy(), "two"}));
  f.app.settings().externalPrograms[1].program = "Not set";
  {
    ScopedShiftHeld held(true);
    f.d.menu(static_cast<Item>(+Item::ExternalFirst + 1));
  }
  EXPECT_EQ(f.app.settings().externalHotLink, 1);
  EXPECT_TRUE(checked(1));
  EXPECT_FALSE(checked(2));
  EXPECT_EQ(f.messages("Oops!"), 1);
}

TEST(ExternalPrograms, SiblingListUsesItsFolderAndTheCommonBatchScript) {
  Fixture f;
  WriteRecorder(f.app.folders().program + "runhere.sh", f.out(), false);
  f.app.settings().ravoltFolder = f.d.root() + "ravolt dir/";
  f.app.settings().ravoltPrograms = {
      {"Load", "%RVTpath%", "%q%%RVTpath%loader%q%", "-f %q%%bas%%q%", 4},
  };
  f.setText("PRINT 1");
  const Received got = f.run(Item::RavoltFirst);
  ASSERT_TRUE(got.arrived);
  EXPECT_EQ(got.folder, Canonical(f.app.folders().program));
  EXPECT_EQ(got.arguments, (QStringList{f.d.root() + "ravolt dir/", f.d.root() + "ravolt dir/loader", "-f",
                                        f.untitledCopy()}));
}

TEST(ExternalPrograms, PreviewShowsTheCommandAndWritesNothing) {
  Fixture f;
  f.setText("PRINT 1");
  PreviewExternalProgram(f.app, {"T", "'%baspath%'", "'%vdlpath%MMBasic.exe'", "'%bas%'", 1});
  ASSERT_EQ(f.d.requesters().asked().size(), 1u);
  EXPECT_EQ(f.d.requesters().asked()[0].title, "External program");
  const QString file = f.app.folders().file;
  EXPECT_EQ(f.d.requesters().asked()[0].text, "CD \"" + file + "\"\n\"" + f.app.folders().program +
                                                 "MMBasic.exe\" \"" + file + "untitled.bas\"");
  EXPECT_FALSE(QFile::exists(f.untitledCopy()));
  EXPECT_TRUE(f.log.starts.empty());
}

// ------------------------------------------------------------------ Deploy

TEST(Deploy, UnsavedDocumentGoesToTheCompanionWithSmartQuotesRemoved) {
  Fixture f;
  WriteRecorder(f.app.folders().program + "Corvat", f.out());
  f.app.settings().removeSmartQuotes = 1;
  f.setText(QString::fromUtf8("PRINT \u201Chi\u201D\r\n"));
  for (Item item : {Item::DeployKey, Item::Deploy}) {
    const Received got = f.run(item);
    ASSERT_TRUE(got.arrived);
    EXPECT_EQ(got.arguments, QStringList{f.untitledCopy()});
    EXPECT_EQ(got.folder, Canonical(f.app.folders().program));
  }
  EXPECT_EQ(ReadFile(f.untitledCopy()), "PRINT \"hi\"\r\n");
  EXPECT_EQ(f.app.state().tempFiles, QStringList{f.untitledCopy()});
}

TEST(Deploy, ModifiedDocumentIsSavedWithoutMarkersWhileARunKeepsThem) {
  Fixture f;
  f.useRecorderEntries();
  WriteRecorder(f.app.folders().program + "Corvat", f.out());
  f.app.settings().saveFoldingInBasFile = 1;
  const QString path = f.d.root() + "m.bas";
  WriteFile(path, "a = 1\r\nb = 2\r\n");
  OpenDocument(f.app, path, false);
  f.setText("a = 1\r\nb = 3\r\n");
  ToggleBookmark(f.app);

  Received got = f.run(Item::DeployKey);
  ASSERT_TRUE(got.arrived);
  EXPECT_EQ(got.arguments, QStringList{path});
  EXPECT_FALSE(ReadFile(path).contains("'>>>")) << ReadFile(path).toStdString();
  EXPECT_TRUE(ReadFile(path).contains("b = 3"));

  f.setText("a = 1\r\nb = 4\r\n");
  ToggleBookmark(f.app);
  got = f.run(Item::ExternalFirst);
  ASSERT_TRUE(got.arrived);
  EXPECT_TRUE(ReadFile(path).contains("'>>>")) << ReadFile(path).toStdString();
}

TEST(Deploy, WithoutACompanionAMessageNamesTheFile) {
  Fixture f;
  ScopedPath path(f.d.root() + "bin:/usr/bin:/bin");
  // Present but not executable: not taken.
  WriteRecorder(f.app.folders().program + "Corvat", f.out(), false);
  f.setText("PRINT 1");
  f.d.menu(Item::DeployKey);
  EXPECT_TRUE(f.log.starts.empty());
  ASSERT_EQ(f.d.requesters().asked().size(), 1u);
  const Asked& a = f.d.requesters().asked()[0];
  EXPECT_EQ(a.title, "Deploy");
  EXPECT_TRUE(a.text.contains(f.untitledCopy())) << a.text.toStdString();
  EXPECT_TRUE(a.text.contains("Corvat")) << a.text.toStdString();
}

TEST(Deploy, CompanionOnTheSearchPathIsFound) {
  Fixture f;
  WriteRecorder(f.d.root() + "bin/Corvat", f.out());
  ScopedPath path(f.d.root() + "bin:/usr/bin:/bin");
  f.setText("PRINT 1");
  const Received got = f.run(Item::Deploy);
  ASSERT_TRUE(got.arrived);
  EXPECT_EQ(got.arguments, QStringList{f.untitledCopy()});
  EXPECT_EQ(got.folder, Canonical(f.app.folders().program));
}

// ---------------------------------------------------- the shipped scripts

// A terminal emulator that runs its command at once, without a window; its
// output goes to ours unless `quiet`.
void WriteFakeTerminal(const QString& path, bool quiet = false) {
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write("#!/bin/sh\n[ \"$1\" = -e ] && shift\nexec \"$@\" </dev/null");
  f.write(quiet ? " >/dev/null\n" : "\n");
  f.close();
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ShippedScripts, DefaultEntryRunsTheInterpreterInATerminalInTheFilesFolder) {
  Fixture f;
  ASSERT_TRUE(QFile::exists(f.app.folders().data + "runhere1.sh")) << "copied into the data folder";
  ASSERT_FALSE(QFile::exists(f.app.folders().program + "runhere1.sh"));
  WriteRecorder(f.d.root() + "bin/mmbasic", f.out());
  WriteFakeTerminal(f.d.root() + "bin/x-terminal-emulator", true);
  ScopedPath path(f.d.root() + "bin:/usr/bin:/bin");
  f.app.settings().externalPrograms = {
      {"Run in DOS", "'%baspath%'", "'%vdlpath%MMBasic.exe'", "'%bas%'", 1},
      {"MMB4W", "'%baspath%'", "'C:\\Apps\\MMB4W\\MMBasic.exe'", "'%bas%'", 2},
  };
  const QString doc = f.d.root() + "it's here/a b.bas";
  QDir().mkpath(f.d.root() + "it's here");
  WriteFile(doc, "PRINT 1\r\n");
  OpenDocument(f.app, doc, false);
  for (Item item : {Item::ExternalFirst, static_cast<Item>(+Item::ExternalFirst + 1)}) {
    const Received got = f.run(item);
    ASSERT_TRUE(got.arrived) << +item;
    EXPECT_EQ(got.arguments, QStringList{doc});
    EXPECT_EQ(got.folder, Canonical(f.d.root() + "it's here"));
  }
}

// The script run by hand, as the editor runs it, with a given search path.
struct ScriptRun {
  int exitCode = -1;
  QString out, err;
};
ScriptRun RunScript(const QString& script, const QString& searchPath, const QStringList& args) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("PATH", searchPath);
  env.remove("TERMINAL");
  p.setProcessEnvironment(env);
  p.start("/bin/sh", QStringList{script} + args);
  p.closeWriteChannel();
  p.waitForFinished(30000);
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

TEST(ShippedScripts, SayWhatIsMissing) {
  QTemporaryDir dir;
  const QString bin = dir.path() + "/bin/";
  QDir().mkpath(bin);
  for (const char* name : {"runhere1.sh", "runhere2.sh"}) {
    const QString script = QStringLiteral(VENDLE_SOURCE_DIR "/resources/data/") + name;
    // Neither an interpreter nor a terminal.
    ScriptRun r = RunScript(script, bin, {dir.path(), "C:\\x\\MMBasic.exe", "/p/a.bas"});
    EXPECT_NE(r.exitCode, 0) << name;
    EXPECT_TRUE(r.err.contains("no MMBasic interpreter")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("no terminal emulator")) << r.err.toStdString();

    // A terminal but no interpreter: the terminal says so.
    WriteFakeTerminal(bin + "xterm");
    r = RunScript(script, bin, {dir.path(), "", "/p/a.bas"});
    EXPECT_TRUE(r.out.contains("No MMBasic interpreter was found.")) << name << r.out.toStdString();
    QFile::remove(bin + "xterm");

    // An interpreter but no terminal.
    WriteRecorder(bin + "mmbasic", dir.path() + "/never");
    r = RunScript(script, bin, {dir.path(), "", "/p/a.bas"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains("no terminal emulator")) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.path() + "/never"));
    QFile::remove(bin + "mmbasic");
  }
}


// File names built to break a command line: each arrives as one argument of
// the started program (directly, and through a batch script run by sh), and
// nothing in a name is run.
TEST(ExternalPrograms, HostileFileNamesArriveAsOneArgumentEachAndRunNothing) {
  const QStringList names = {
      "it's a \"quoted\" name.bas",
      "$(touch ran-dollar).bas",
      "`touch ran-backquote`.bas",
      "two\nlines.bas",
      "  blanks  around  .bas",
      "-rf --help.bas",
      "-x `touch ran-mixed`; $(touch ran-mixed2) | & 'a' \"b\" \\.bas",
  };
  struct Template {
    const char* parameters;
    qint64 batch;
    QStringList (*want)(const QString& path, const QString& name);
  };
  const Template templates[] = {
      {"'%bas%' '%basshort%'", 0, [](const QString& p, const QString& n) { return QStringList{p, n}; }},
      {"%bas%", 0, [](const QString& p, const QString&) { return QStringList{p}; }},
      {"%q%%bas%%q% -- %q%%basshort%%q%", 0,
       [](const QString& p, const QString& n) { return QStringList{p, "--", n}; }},
      // The script gets the folder, the program and then the parameters.
      {"%q%%basshort%%q%", 7, [](const QString& p, const QString& n) {
         return QStringList{QFileInfo(p).absolutePath() + "/", "the interpreter", n};
       }},
  };
  Fixture f;
  WriteRecorder(f.d.programFolder() + "runhere7.sh", f.out(), false);
  const QString folder = f.d.root() + "docs/";
  QDir().mkpath(folder);
  for (const Template& t : templates) {
    f.app.settings().externalPrograms = {{"Rec", QString(), "'" + f.recorder() + "'", t.parameters, t.batch}};
    if (t.batch) f.app.settings().externalPrograms[0].program = "'the interpreter'";
    for (const QString& name : names) {
      SCOPED_TRACE(t.parameters + (" with " + name).toStdString());
      const QString path = folder + name;
      WriteFile(path, "PRINT 1\r\n");
      OpenDocument(f.app, path, false);
      ASSERT_EQ(f.app.state().docs.list.current()->path, path);
      const Received got = f.run(Item::ExternalFirst);
      ASSERT_TRUE(got.arrived) << InfoWindowText(f.app).toStdString();
      EXPECT_EQ(got.arguments, t.want(path, name));
    }
  }
  for (const QString& where : {folder, f.d.root(), f.d.programFolder(), QDir::currentPath() + "/"})
    for (const char* ran : {"ran-dollar", "ran-backquote", "ran-mixed", "ran-mixed2"})
      EXPECT_FALSE(QFile::exists(where + ran)) << "a file name was run: " << (where + ran).toStdString();
}

}  // namespace
}  // namespace vendle::test
