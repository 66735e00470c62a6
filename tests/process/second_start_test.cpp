// A second start hands its files to the running editor and ends.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include "app_driver.h"
#include "editor_process.h"
#include "file_reads.h"
#include "links/handover.h"
#include "platform/instance_lock.h"

namespace vendle::test {
namespace {

// A stand-in first instance on its own thread (the second start blocks the
// test's thread): accepts one connection, reads to its end, closes.
struct FakeFirst {
  int listener = -1;
  quint16 port = 0;
  QByteArray got;
  std::thread thread;
  explicit FakeFirst(bool take = true) {
    listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(listener, 4);
    socklen_t n = sizeof a;
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&a), &n);
    port = ntohs(a.sin_port);
    if (!take) return;  // the kernel accepts; nobody reads
    thread = std::thread([this] {
      pollfd p{listener, POLLIN, 0};
      if (::poll(&p, 1, 15000) != 1) return;
      const int c = ::accept(listener, nullptr, nullptr);
      char buf[4096];
      for (ssize_t k; (k = ::recv(c, buf, sizeof buf, 0)) > 0;) got.append(buf, k);
      ::close(c);
    });
  }
  ~FakeFirst() {
    if (thread.joinable()) thread.join();
    ::close(listener);
  }
};

TEST(SecondStart, HandsAbsolutePathsOnlyToThePortTheFirstInstanceRecorded) {
  QTcpServer decoy;  // what listens on the setting's port is not the editor
  ASSERT_TRUE(decoy.listen(QHostAddress::LocalHost, 0));
  FakeFirst first;
  DriverOptions o;
  o.arguments = {"a.bas", "sub/b.bas"};
  o.preferences = QString("[Network]\r\nControl Port = %1\r\n").arg(decoy.serverPort());
  o.start = false;
  AppDriver d(o);
  std::unique_ptr<InstanceLock> lock;
  ASSERT_EQ(InstanceLock::Acquire(d.root() + "Vendle5mutex", &lock), InstanceLock::Result::First);
  ASSERT_TRUE(lock->record(first.port));
  EXPECT_EQ(d.start(), App::Start::HandedOver);
  EXPECT_EQ(d.app().mainWidget(), nullptr) << "a second start shows no window";
  first.thread.join();
  EXPECT_EQ(first.got, ("/load " + d.root() + "a.bas\n" + d.root() + "sub/b.bas\r").toUtf8());
  EXPECT_FALSE(decoy.hasPendingConnections() || decoy.waitForNewConnection(100));
}

TEST(SecondStart, FailsLoudlyWhenTheHandOverCannotHappen) {
  struct Case {
    const char* what;
    int settingPort;  // 0: the fake's
    bool recordNone;
    bool listening;
    bool taken;
  };
  const Case cases[] = {
      {"the first instance has no control link", 0, true, true, true},
      {"nobody listens on the recorded port", 0, false, false, true},
      {"a setting outside 1-65535", 70000, false, true, true},
      {"a setting of 0", -1, false, true, true},
      {"the hand-over is never taken", 0, false, true, false},
  };
  for (const Case& c : cases) {
    FakeFirst first(false);
    const quint16 recorded = c.listening ? first.port : FreePort();
    DriverOptions o;
    o.arguments = {"a.bas"};
    const int setting = c.settingPort == 0 ? recorded : c.settingPort < 0 ? 0 : c.settingPort;
    o.preferences = QString("[Network]\r\nControl Port = %1\r\n").arg(setting);
    o.start = false;
    AppDriver d(o);
    std::unique_ptr<InstanceLock> lock;
    ASSERT_EQ(InstanceLock::Acquire(d.root() + "Vendle5mutex", &lock), InstanceLock::Result::First);
    ASSERT_TRUE(lock->record(c.recordNone ? std::nullopt : std::optional<quint16>(recorded)));
    EXPECT_EQ(d.start(), App::Start::HandOverFailed) << c.what;
  }
}

TEST(SecondStart, TheLockRecordReadsOnlyWholeValidLines) {
  const struct {
    const char* text;
    LockRecord want;
  } rows[] = {
      {"port 6832\n", {LockRecord::State::Port, 6832}}, {"none\n", {LockRecord::State::NoLink, 0}},
      {"", {}}, {"port 68", {}}, {"port 70000\n", {}}, {"port 0\n", {}}, {"port -1\n", {}},
      {"\x01\xff garbage\n", {}},
  };
  for (const auto& r : rows) EXPECT_EQ(ParseLockRecord(QByteArray(r.text)), r.want) << r.text;
  EXPECT_EQ(FormatLockRecord(std::nullopt), "none\n");
  EXPECT_EQ(ParseLockRecord(FormatLockRecord(65535)), (LockRecord{LockRecord::State::Port, 65535}));
}

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
  auto second = box.start({"a.bas"});
  ASSERT_TRUE(second->waitForFinished(15000));
  EXPECT_EQ(second->exitCode(), 1);
  ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
  ASSERT_TRUE(first->waitForFinished(15000));
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
