// The editor killed outright after a backup tick: the backup holds the text
// of that tick, and the preference file of the previous exit is untouched.
// Runs a real editor in a virtual X display and types into it, so it takes
// the 60 seconds of one backup tick.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "editor_process.h"
#include "test_files.h"

namespace vendle::test {
namespace {

TEST(Crash, ABackupTickSurvivesAKillAndThePreferencesStayAsTheyWere) {
  if (QStandardPaths::findExecutable("xvfb-run").isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty())
    GTEST_SKIP() << "needs xvfb-run and xdotool (scripts/setup.sh installs them)";
  EditorSandbox box;
  const QString backups = box.root() + "backups/";
  QDir().mkpath(backups);
  {
    // "Minutes between backups" 1: the first tick, 60 s after the start, is due.
    QFile inf(box.dataFolder() + "Vendle5.inf");
    inf.open(QIODevice::Append);
    inf.write(("\r\n[Folders]\r\nBackup folder = " + backups + "\r\n[General]\r\nMinutes between backups = 1\r\n").toUtf8());
  }
  const QByteArray prefsBefore = ReadFile(box.dataFolder() + "Vendle5.inf");
  const QString program = box.root() + "prog.bas";
  {
    QFile f(program);
    f.open(QIODevice::WriteOnly);
    f.write("' backed up\r\nPRINT 1\r\n");
  }
  const QString script = box.root() + "crash.sh";
  {
    QFile f(script);
    f.open(QIODevice::WriteOnly);
    f.write(QString("XDG_RUNTIME_DIR=%1run QT_QPA_PLATFORM=xcb \"%2vendle\" \"%3\" &\n"
                    "pid=$!\n"
                    "xdotool search --sync --name '^Vendle V5' windowfocus\n"
                    "sleep 1\n"
                    "xdotool type --delay 10 'x = 42'\n"
                    "sleep 66\n"
                    "kill -9 $pid\n"
                    "wait $pid\n"
                    "exit 0\n")
                .arg(box.root(), box.programFolder(), program)
                .toUtf8());
  }
  QProcess run;
  run.setProcessChannelMode(QProcess::ForwardedChannels);
  run.start("xvfb-run", {"-a", "-s", "-screen 0 1280x1024x24", "sh", script});
  ASSERT_TRUE(run.waitForFinished(150000));

  const QStringList files = QDir(backups).entryList({"*_prog.bas"}, QDir::Files);
  ASSERT_EQ(files.size(), 1) << "no backup was written before the kill";
  EXPECT_TRUE(ReadFile(backups + files[0]).contains("x = 42")) << ReadFile(backups + files[0]).toStdString();
  EXPECT_EQ(ReadFile(box.dataFolder() + "Vendle5.inf"), prefsBefore);
  EXPECT_EQ(ReadFile(program), "' backed up\r\nPRINT 1\r\n") << "the program file itself is not written";
}

}  // namespace
}  // namespace vendle::test
