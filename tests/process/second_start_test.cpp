// A second start hands its files to the running editor and ends.
#include <gtest/gtest.h>

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>

#include "app_driver.h"
#include <QThread>

#include "editor_process.h"
#include "platform/instance_lock.h"

namespace vendle::test {
namespace {

TEST(SecondStart, HandsAbsolutePathsToTheListeningInstance) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  DriverOptions o;
  o.arguments = {"a.bas", "sub/b.bas"};
  o.preferences = QString("[Network]\r\nControl Port = %1\r\n").arg(server.serverPort());
  o.start = false;
  AppDriver d(o);
  std::unique_ptr<InstanceLock> first;
  ASSERT_EQ(InstanceLock::Acquire(d.root() + "Vendle5mutex", &first), InstanceLock::Result::First);
  EXPECT_EQ(d.start(), App::Start::HandedOver);
  EXPECT_EQ(d.app().mainWidget(), nullptr) << "a second start shows no window";

  ASSERT_TRUE(server.waitForNewConnection(5000));
  QTcpSocket* peer = server.nextPendingConnection();
  QByteArray got;
  while (!got.endsWith('\r') && peer->waitForReadyRead(2000)) got += peer->readAll();
  got += peer->readAll();
  EXPECT_EQ(got, ("/load " + d.root() + "a.bas\n" + d.root() + "sub/b.bas\r").toUtf8());
}

TEST(SecondStart, FailsLoudlyWhenNobodyListens) {
  DriverOptions o;
  o.arguments = {"a.bas"};
  o.preferences = QString("[Network]\r\nControl Port = %1\r\n").arg(FreePort());
  o.start = false;
  AppDriver d(o);
  std::unique_ptr<InstanceLock> first;
  ASSERT_EQ(InstanceLock::Acquire(d.root() + "Vendle5mutex", &first), InstanceLock::Result::First);
  EXPECT_EQ(d.start(), App::Start::HandOverFailed);
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
  auto second = box.start({"a.bas", "b.bas"}, work);
  ASSERT_TRUE(second->waitForFinished(15000));
  EXPECT_EQ(second->exitCode(), 0);
  EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);

  // The first instance opened both; on SIGTERM it exits and records them.
  QThread::msleep(300);
  ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
  ASSERT_TRUE(first->waitForFinished(15000)) << "the editor did not end on SIGTERM";
  EXPECT_EQ(first->exitCode(), 0);
  const QString prefs = box.readPreferences();
  EXPECT_TRUE(prefs.contains("File Count = 2")) << prefs.toStdString();
  EXPECT_TRUE(prefs.contains("File1 = " + work + "a.bas|")) << prefs.toStdString();
  EXPECT_TRUE(prefs.contains("File2 = " + work + "b.bas|")) << prefs.toStdString();
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
