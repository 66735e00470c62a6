// Real starts: a stand-in program started through a template, directly and
// through a batch script, receives exactly the arguments and the working
// folder meant for it; a start that cannot happen says why.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "links/companion.h"
#include "links/external_program.h"
#include "platform/process.h"
#include "qt_print.h"
#include "recorder.h"

namespace vendle {
namespace {

using test::Canonical;
using test::WaitForRecord;
using test::WriteRecorder;

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
