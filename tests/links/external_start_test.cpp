// Real starts: a stand-in program started through a template, directly and
// through a batch script, receives exactly the arguments and the working
// folder meant for it; a start that cannot happen says why; a watched start
// tells how a program that ends at once ended.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QObject>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

#include "links/companion.h"
#include "links/external_program.h"
#include "platform/process.h"
#include "qt_print.h"
#include "recorder.h"

namespace vendle {
namespace {

using test::Canonical;
using test::NoZombieChildren;
using test::WaitForRecord;
using test::WriteRecorder;
using test::WriteScript;

// A program file in a folder whose name is built to break a command line.
struct Sandbox {
  QTemporaryDir dir;
  QString prog() const { return dir.path() + "/prog/"; }
  QString docFolder() const { return dir.path() + "/Bob's $(touch x); dir/"; }
  QString doc() const { return docFolder() + "it's a \"b\" & -c|d.bas"; }
  QString out() const { return dir.path() + "/received"; }
  Sandbox() {
    QDir().mkpath(prog());
    QDir().mkpath(docFolder());
  }
};

TEST(ExternalStart, ProgramStartedDirectlyGetsItsArgumentsAndFolder) {
  Sandbox s;
  WriteRecorder(s.prog() + "recorder", s.out());
  const ExternalProgramEntry e{QStringLiteral("T"), QStringLiteral("'%baspath%'"),
                               QStringLiteral("'%vdlpath%recorder'"), QStringLiteral("'%bas%' -v '%basshort%' ''"),
                               0};
  const StartCommand c = BuildStart(ExpandEntry(e, ProgramList::Own, {s.doc(), s.prog(), {}}), {}, s.prog());
  const StartOutcome r = StartDetachedProcess(c);
  ASSERT_TRUE(r.ok) << r.error.toStdString();
  const test::Received got = WaitForRecord(s.out());
  ASSERT_TRUE(got.arrived);
  EXPECT_EQ(got.folder, Canonical(s.docFolder()));
  EXPECT_EQ(got.arguments, (QStringList{s.doc(), "-v", "it's a \"b\" & -c|d.bas", ""}));
  EXPECT_FALSE(QFile::exists(s.docFolder() + "x")) << "a file name was run as a command";
}

TEST(ExternalStart, BatchScriptRunsWithShAndGetsFolderProgramAndParameters) {
  Sandbox s;
  // Not executable: it is run with /bin/sh, as installed scripts may lack the bit.
  WriteRecorder(s.prog() + "runhere3.sh", s.out(), false);
  const ExternalProgramEntry e{QStringLiteral("T"), QString(), QStringLiteral("%q%%vdlpath%My Basic%q%"),
                               QStringLiteral("%q%%bas%%q% --run"), 3};
  const QString script =
      FindBatchScript(BatchScriptName(ProgramList::Own, e.batch), {s.prog()}, [](const QString& p) {
        return QFile::exists(p);
      });
  ASSERT_EQ(script, s.prog() + "runhere3.sh");
  const StartOutcome r =
      StartDetachedProcess(BuildStart(ExpandEntry(e, ProgramList::Own, {s.doc(), s.prog(), {}}), script, s.prog()));
  ASSERT_TRUE(r.ok) << r.error.toStdString();
  const test::Received got = WaitForRecord(s.out());
  ASSERT_TRUE(got.arrived);
  EXPECT_EQ(got.folder, Canonical(s.prog()));
  EXPECT_EQ(got.arguments, (QStringList{s.docFolder(), s.prog() + "My Basic", s.doc(), "--run"}));
}

TEST(ExternalStart, AStartThatCannotHappenSaysWhy) {
  Sandbox s;
  WriteRecorder(s.prog() + "plain", s.out(), false);
  QDir().mkpath(s.prog() + "folder");
  // Executable, but neither a program nor a script: the exec itself fails.
  {
    QFile f(s.prog() + "garbage");
    f.open(QIODevice::WriteOnly);
    f.write("\x01\x02 no program");
    f.close();
    QFile::setPermissions(f.fileName(), QFile::ReadOwner | QFile::ExeOwner);
  }
  struct Row {
    ProcessStart start;
    const char* reasonContains;
  };
  const Row rows[] = {
      {{"", {}, s.prog()}, "no program"},
      {{s.prog() + "missing", {}, s.prog()}, "does not exist"},
      {{s.prog() + "plain", {}, s.prog()}, "not an executable"},
      {{s.prog() + "folder", {}, s.prog()}, "not an executable"},
      {{"vendle-no-such-program-anywhere", {}, s.prog()}, "search path"},
      {{"/bin/sh", {"-c", "true"}, s.prog() + "gone/"}, "working folder"},
      {{s.prog() + "garbage", {}, s.prog()}, "could not be run: Exec format error"},
  };
  std::vector<ProcessStart> seen;
  SetProcessStartObserver([&](const ProcessStart& p, const StartOutcome&) { seen.push_back(p); });
  for (const Row& r : rows) {
    const StartOutcome o = StartDetachedProcess(r.start);
    EXPECT_FALSE(o.ok) << r.start.program.toStdString();
    EXPECT_TRUE(o.error.contains(QString::fromLatin1(r.reasonContains))) << o.error.toStdString();
  }
  SetProcessStartObserver({});
  EXPECT_EQ(seen.size(), std::size(rows));
  EXPECT_FALSE(QFile::exists(s.out()));
  EXPECT_TRUE(NoZombieChildren());
}

// What a watch reports, waited for with a generous bound.
struct Watched {
  StartOutcome outcome;
  bool ended = false;
  EarlyEnd end;
};
Watched Watch(const QString& script, const QString& folder, int watchMs) {
  Watched w;
  QObject context;
  w.outcome = StartWatchedProcess({"/bin/sh", {"-c", script}, folder}, &context, [&w](const EarlyEnd& e) {
    w.ended = true;
    w.end = e;
  }, watchMs);
  QDeadlineTimer deadline(30000);
  while (w.outcome.ok && !w.ended && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  return w;
}

TEST(WatchedStart, TellsHowAProgramThatEndsAtOnceEnded) {
  QTemporaryDir dir;
  using State = EarlyEnd::State;
  struct Row {
    const char* what;
    const char* script;
    State state;
    int code;
    const char* errorEnds;
    bool cut;
  };
  const Row rows[] = {
      {"ends well", "exit 0", State::Exited, 0, "", false},
      {"fails with a message", "echo 'no interpreter' >&2; echo 'on its output'; exit 3", State::Exited, 3,
       "no interpreter\n", false},
      {"killed", "kill -KILL $$", State::Killed, SIGKILL, "", false},
      {"much error output", "i=0; while [ $i -lt 900 ]; do echo \"line $i of the errors\" >&2; i=$((i+1)); done; "
                            "echo last >&2; exit 1",
       State::Exited, 1, "line 899 of the errors\nlast\n", true},
      {"keeps running", "exec sleep 30", State::Running, 0, "", false},
  };
  for (const Row& r : rows) {
    const bool running = r.state == State::Running;
    const Watched w = Watch(r.script, dir.path(), running ? 300 : 30000);
    ASSERT_TRUE(w.outcome.ok) << r.what << w.outcome.error.toStdString();
    ASSERT_TRUE(w.ended) << r.what;
    EXPECT_EQ(w.end.state, r.state) << r.what;
    EXPECT_EQ(w.end.code, r.code) << r.what;
    EXPECT_TRUE(w.end.errorOutput.endsWith(r.errorEnds)) << r.what << w.end.errorOutput.right(80).toStdString();
    EXPECT_LE(w.end.errorOutput.size(), kErrorTailBytes) << r.what;
    EXPECT_EQ(w.end.errorOutputCut, r.cut) << r.what;
    EXPECT_FALSE(w.end.errorOutput.contains("on its output")) << "only the error output is kept";
    EXPECT_EQ(w.end.failed(), r.code != 0) << r.what;
    if (running) {
      // Left running, and no longer ours to reap.
      EXPECT_NE(test::ParentOf(w.outcome.pid), ::getpid());
      EXPECT_NE(test::ParentOf(w.outcome.pid), 0) << "it still runs";
      ::kill(static_cast<pid_t>(w.outcome.pid), SIGKILL);
    }
    EXPECT_TRUE(NoZombieChildren()) << r.what;
  }
}

TEST(WatchedStart, NothingRunsAfterTheContextIsGoneAndNothingIsLeftUnreaped) {
  QTemporaryDir dir;
  bool called = false;
  auto context = std::make_unique<QObject>();
  const QString done = dir.path() + "/done";
  const StartOutcome r = StartWatchedProcess(
      {"/bin/sh", {"-c", "sleep 0.2; : > done; exit 1"}, dir.path()}, context.get(),
      [&called](const EarlyEnd&) { called = true; }, 30000);
  ASSERT_TRUE(r.ok) << r.error.toStdString();
  context.reset();
  EXPECT_TRUE(NoZombieChildren());
  QDeadlineTimer deadline(20000);
  while (!QFile::exists(done) && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(5);
  }
  EXPECT_TRUE(QFile::exists(done)) << "the program itself goes on";
  QCoreApplication::processEvents();
  EXPECT_FALSE(called);
  EXPECT_TRUE(NoZombieChildren());
}

TEST(ErrorOutput, IsDecodedSafelyAndStartsAtAWholeLine) {
  const struct {
    QByteArray bytes;
    bool cut;
    const char* text;  // UTF-8
  } rows[] = {
      {"plain\n", false, "plain"},
      {"a\r\nb\rc\n\n", false, "a\nb\nc"},
      {"caf\xc3\xa9\n", false, "caf\xc3\xa9"},
      {"\xe9t\xe9 \x80\n", false, "\xc3\xa9t\xc3\xa9 \xe2\x82\xac"},  // not UTF-8: Windows-1252
      {"\xa9 cut line\nwhole line\n", true, "...\nwhole line"},
      {"\x81\x82 \xc3\xa9\n", true, "...\n"},                       // nothing but the cut line
      {QByteArray("col\x1b[31mred\x07\ttab\0!", 18), false, "col[31mred\ttab!"},
      {"", false, ""},
  };
  for (const auto& r : rows)
    EXPECT_EQ(ErrorOutputText(r.bytes, r.cut), QString::fromUtf8(r.text)) << r.bytes.toStdString();
}

TEST(ExternalStart, RelativeProgramPathIsTakenFromTheWorkingFolder) {
  Sandbox s;
  QDir().mkpath(s.prog() + "bin");
  WriteRecorder(s.prog() + "bin/rec", s.out());
  const StartOutcome r = StartDetachedProcess({"bin/rec", {"x y"}, s.prog()});
  ASSERT_TRUE(r.ok) << r.error.toStdString();
  const test::Received got = WaitForRecord(s.out());
  EXPECT_EQ(got.arguments, QStringList{"x y"});
}

TEST(Companion, LookedForBesideTheProgramThenOnThePath) {
  struct Row {
    std::vector<const char*> executables;
    const char* path;
    const char* expected;
  };
  const Row rows[] = {
      {{"/p/Corvat", "/p/Corvat.exe", "/bin/Corvat"}, "/bin", "/p/Corvat"},
      {{"/p/Corvat.exe", "/bin/Corvat"}, "/bin", "/p/Corvat.exe"},
      {{"/bin/Corvat", "/usr/bin/Corvat"}, "/usr/bin:/bin", "/usr/bin/Corvat"},
      {{"/bin/Corvat"}, "::/usr/bin/:/bin/", "/bin/Corvat"},
      {{"rel/Corvat", "./Corvat", "Corvat"}, "rel:.::", ""},  // never the current folder
      {{}, "/bin", ""},
  };
  for (const Row& r : rows) {
    const auto isExe = [&](const QString& p) {
      for (const char* e : r.executables)
        if (p == QLatin1String(e)) return true;
      return false;
    };
    EXPECT_EQ(FindCompanion("/p/", r.path, isExe), QString::fromLatin1(r.expected)) << r.path;
  }
  EXPECT_EQ(CompanionStart("/p/Corvat", "/d/a b.bas", "/p/"), (ProcessStart{"/p/Corvat", {"/d/a b.bas"}, "/p/"}));
}

}  // namespace
}  // namespace vendle
