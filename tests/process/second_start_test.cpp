// A second start hands its files to the running editor and ends.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include "editor_process.h"
#include "file_reads.h"
#include "links/handover.h"
#include "platform/instance_lock.h"

namespace vendle::test {
namespace {

TEST(SecondStart, TwoRealProcesses) {
  EditorSandbox box;
  auto first = box.start();
  ASSERT_TRUE(box.waitUntilListening()) << "the first instance never listened";
  const QString work = box.root() + "work/";
  QDir().mkpath(work);
  for (const char* name : {"a.bas", "b.bas"}) {
    QFile f(work + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("PRINT 1\r\n");
  }
  FileReads reads(work);
  auto second = box.start({"a.bas", "b.bas"}, work);
  ASSERT_TRUE(second->waitForFinished(15000));
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);

  // The first instance opens both; on SIGTERM it exits and records them.
  ASSERT_TRUE(reads.waitFor({"a.bas", "b.bas"})) << "the running editor did not read the files";
  ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
  ASSERT_TRUE(first->waitForFinished(15000)) << "the editor did not end on SIGTERM";
  EXPECT_EQ(first->exitCode(), 0);
  const QString prefs = box.readPreferences();
  EXPECT_TRUE(prefs.contains("File Count = 2")) << prefs.toStdString();
  EXPECT_TRUE(prefs.contains("File1 = " + work + "a.bas|")) << prefs.toStdString();
  EXPECT_TRUE(prefs.contains("File2 = " + work + "b.bas|")) << prefs.toStdString();
}

TEST(SecondStart, AFirstInstanceWithAPortOutOfRangeRecordsNoLinkAndASecondStartSaysSo) {
  EditorSandbox box("[Network]\r\nControl Port = 70000\r\n");
  auto first = box.start();
  const QString lock = box.root() + "run/Vendle5mutex";
  QDeadlineTimer deadline(20000);
  while (InstanceLock::ReadRecord(lock).state == LockRecord::State::Starting && !deadline.hasExpired())
    QThread::msleep(20);
  EXPECT_EQ(InstanceLock::ReadRecord(lock).state, LockRecord::State::NoLink);

  // The second start as the sandbox starts it, its error output read here.
  auto started = box.startReadingErrors({"a.bas"});
  QProcess& second = *started;
  ASSERT_EQ(second.state(), QProcess::Running);
  // Its own setting is refused before the lock record is read.
  const QByteArray err = ReadErrorsUntil(second, "is outside 1-65535\n", 20000);
  EXPECT_TRUE(err.contains("the files were not handed to the running Vendle: the setting \"Control Port\" = 70000"))
      << err.toStdString();
  // Its message stands until it is answered, or until a close request.
  EXPECT_FALSE(second.waitForFinished(300)) << "the second start ended without its message";
  ::kill(static_cast<pid_t>(second.processId()), SIGTERM);
  ASSERT_TRUE(second.waitForFinished(15000)) << "the message did not end on SIGTERM";
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 1);

  // The first instance's own message about its port stands too; the close request ends it.
  ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
  ASSERT_TRUE(first->waitForFinished(15000));
  EXPECT_EQ(first->exitCode(), 0);
}

// A "first instance" that holds the lock and records its port, where the
// kernel takes the connection and nobody reads it: the real second start
// says its files were not taken and ends with exit status 1.
TEST(SecondStart, AHandOverNotTakenIsSaidAndEndsWithStatusOne) {
  EditorSandbox box;
  QDir().mkpath(box.root() + "run");
  std::unique_ptr<InstanceLock> lock;
  ASSERT_EQ(InstanceLock::Acquire(box.root() + "run/Vendle5mutex", &lock), InstanceLock::Result::First);
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(box.port());
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  ASSERT_EQ(::listen(listener, 4), 0);
  ASSERT_TRUE(lock->record(box.port()));

  auto started = box.startReadingErrors({"a.bas"});
  QProcess& second = *started;
  ASSERT_EQ(second.state(), QProcess::Running);
  const QByteArray err = ReadErrorsUntil(second, "did not take the files within", 30000);
  EXPECT_TRUE(err.contains("the running Vendle did not take the files within")) << err.toStdString();
  // Its message stands until it is answered, or until a close request.
  EXPECT_FALSE(second.waitForFinished(300)) << "the second start ended without its message";
  ::kill(static_cast<pid_t>(second.processId()), SIGTERM);
  ASSERT_TRUE(second.waitForFinished(15000)) << "the message did not end on SIGTERM";
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 1);
  ::close(listener);
}

TEST(SecondStart, ACloseRequestWhileAMessageOfAHandOverStandsEndsTheEditorCleanly) {
  EditorSandbox box;
  auto editor = box.start();
  ASSERT_TRUE(box.waitUntilListening());
  const QString work = box.root() + "work/";
  QDir().mkpath(work);
  QStringList files;
  for (int i = 0; i < 40; ++i) {
    files.append(work + QString("p%1.bas").arg(i));
    QFile f(files.back());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("' hand-over\r\nPRINT 1\r\n");
  }
  FileReads reads(work);
  const HandOverResult sent = SendFilesToRunningInstance(files, box.port());
  ASSERT_TRUE(sent.ok) << sent.error.toStdString();
  // Once the tabs are full "Too many tabs open." stands; nothing answers it.
  QStringList fitting;
  for (int i = 0; i < 14; ++i) fitting.append(QString("p%1.bas").arg(i));
  ASSERT_TRUE(reads.waitFor(fitting)) << "the running editor did not read the files that fit";
  ::kill(static_cast<pid_t>(editor->processId()), SIGTERM);
  ASSERT_TRUE(editor->waitForFinished(15000)) << "the editor did not end on SIGTERM";
  EXPECT_EQ(editor->exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(editor->exitCode(), 0);
  const QString prefs = box.readPreferences();
  EXPECT_TRUE(prefs.contains("File1 = " + files[0] + "|")) << prefs.toStdString();
}

TEST(SecondStart, AnEditorEndsOnItsCloseRequest) {
  EditorSandbox box;
  auto editor = box.start();
  ASSERT_TRUE(box.waitUntilListening());
  ::kill(static_cast<pid_t>(editor->processId()), SIGINT);
  ASSERT_TRUE(editor->waitForFinished(15000));
  EXPECT_EQ(editor->exitCode(), 0);
  EXPECT_TRUE(box.readPreferences().contains("[Info]")) << "the preference file was written at exit";
}

}  // namespace
}  // namespace vendle::test
