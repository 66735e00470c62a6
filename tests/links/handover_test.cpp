// A second start's hand-over in this process, against a stand-in first
// instance: it goes only to the port the running editor recorded, and a
// hand-over that cannot happen fails with a message that says why. A first
// instance whose "Control Port" is outside 1-65535 says so and records that
// it has no link.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include <QTcpServer>

#include "app_driver.h"
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
  EXPECT_TRUE(d.requesters().asked().empty()) << "and no message";
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
    const char* why;  // in the message
  };
  const Case cases[] = {
      {"the first instance has no control link", 0, true, true, true, "the running Vendle has no control link."},
      {"nobody listens on the recorded port", 0, false, false, true, "Connection refused"},
      {"a setting outside 1-65535", 70000, false, true, true,
       "the setting \"Control Port\" = 70000 is outside 1-65535."},
      {"a setting of 0", -1, false, true, true, "the setting \"Control Port\" = 0 is outside 1-65535."},
      {"the hand-over is never taken", 0, false, true, false, "the running Vendle did not take the files within"},
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
    EXPECT_EQ(d.app().mainWidget(), nullptr) << c.what;
    // The user is told: a message, not only a line on the error output.
    ASSERT_EQ(d.requesters().asked().size(), 1u) << c.what;
    const Asked& m = d.requesters().asked()[0];
    EXPECT_EQ(m.kind, "message") << c.what;
    EXPECT_EQ(m.title, "Vendle") << c.what;
    EXPECT_TRUE(m.text.startsWith("Vendle is running already, but could not be reached: ")) << m.text.toStdString();
    EXPECT_TRUE(m.text.contains(c.why)) << c.what << ": " << m.text.toStdString();
    EXPECT_TRUE(m.text.endsWith("\n\nNot opened:\n" + d.root() + "a.bas")) << m.text.toStdString();
  }
}

TEST(SecondStart, TheFailureTextNamesEveryFileNotOpened) {
  EXPECT_EQ(HandOverFailureText({}, "the running Vendle has no control link"),
            "Vendle is running already, but could not be reached: the running Vendle has no control link.");
  EXPECT_EQ(HandOverFailureText({"/a/x.bas", "/b/y z.bas"}, "port 9: Connection refused"),
            "Vendle is running already, but could not be reached: port 9: Connection refused.\n\nNot opened:\n"
            "/a/x.bas\n/b/y z.bas");
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

TEST(FirstStart, AControlPortOutsideTheRangeIsSaidAndRecordedAsNoLink) {
  QTcpServer other;  // a port in range that another program holds
  ASSERT_TRUE(other.listen(QHostAddress::LocalHost, 0));
  const struct {
    int port;
    bool message;
  } rows[] = {{70000, true}, {0, true}, {-5, true}, {65536, true}, {other.serverPort(), false}};
  for (const auto& r : rows) {
    DriverOptions o;
    o.preferences = QString("[Network]\r\nControl Port = %1\r\n").arg(r.port);
    AppDriver d(o);
    EXPECT_EQ(d.app().controlServer(), nullptr) << r.port;
    EXPECT_EQ(InstanceLock::ReadRecord(d.root() + "Vendle5mutex").state, LockRecord::State::NoLink) << r.port;
    std::vector<Asked> messages;
    for (const Asked& a : d.requesters().asked())
      if (a.title == "Vendle") messages.push_back(a);
    if (!r.message) {
      // Not the user's setting at fault: a second start says so when it comes.
      EXPECT_TRUE(messages.empty()) << r.port;
      continue;
    }
    ASSERT_EQ(messages.size(), 1u) << r.port;
    EXPECT_EQ(messages[0].kind, "message");
    EXPECT_EQ(messages[0].text,
              QString("\"Control Port\" = %1 is outside 1-65535, so this Vendle has no control link: files opened "
                      "with Vendle while it runs are not handed to it.\nSet \"Control Port\" under [Network] in %2 "
                      "to a port from 1 to 65535.")
                  .arg(r.port)
                  .arg(d.dataFolder() + "Vendle5.inf"));
    EXPECT_FALSE(d.app().loopEnded()) << "the editor goes on without a link";
  }
}

}  // namespace
}  // namespace vendle::test
