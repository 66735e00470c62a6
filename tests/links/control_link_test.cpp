// The control link over real loopback sockets against the running editor.
#include <gtest/gtest.h>

#include <algorithm>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QClipboard>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <vector>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "links/control_link.h"
#include "links/control_server.h"
#include "links/socket_owner.h"
#include "shell/ui/info_window.h"

namespace vendle::test {
namespace {

using S = QsciScintillaBase;

struct LinkFixture {
  AppDriver d;
  QString a, b;

  LinkFixture() {
    a = write("a.bas");
    b = write("b.bas");
  }
  QString write(const QString& name) {
    const QString path = d.root() + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (int i = 1; i <= 30; ++i) f.write(QByteArray("PRINT ") + QByteArray::number(i) + "\r\n");
    return path;
  }
  std::unique_ptr<QTcpSocket> connect() {
    auto s = std::make_unique<QTcpSocket>();
    const ControlServer* server = d.app().controlServer();
    const auto before = server->acceptedCount();
    s->connectToHost(QHostAddress::LocalHost, server->port());
    EXPECT_TRUE(s->waitForConnected(3000));
    // Taken, or refused and reset.
    EXPECT_TRUE(d.waitFor([&] {
      return server->acceptedCount() > before || s->state() == QAbstractSocket::UnconnectedState;
    }));
    return s;
  }
  void send(QTcpSocket& s, const QByteArray& bytes) {
    s.write(bytes);
    s.flush();
    s.waitForBytesWritten(1000);
  }
  // Sends a piece of a command and waits until the server holds it.
  void sendPart(QTcpSocket& s, const QByteArray& bytes) {
    const ControlServer* server = d.app().controlServer();
    const qsizetype before = server->heldBytes();
    send(s, bytes);
    EXPECT_TRUE(d.waitFor([&] { return server->heldBytes() >= before + bytes.size(); }, 3000))
        << "the server did not take " << bytes.toStdString();
  }
  // True once nothing the server took waits to run and `connections` are left.
  bool waitUntilIdle(int connections = 0) {
    const ControlServer* server = d.app().controlServer();
    return d.waitFor([&] { return server->queuedCommands() == 0 && server->connectionCount() <= connections; }, 5000);
  }
  QStringList names() {
    QStringList out;
    for (const DocumentRecord& r : d.app().state().docs.list) out.append(r.name);
    return out;
  }
  bool waitForDocuments(int n) {
    return d.waitFor([&] { return d.app().state().docs.list.size() == n; }, 5000);
  }
};

TEST(ControlLink, ListensOnLoopbackOnly) {
  LinkFixture f;
  const ControlServer* server = f.d.app().controlServer();
  ASSERT_NE(server, nullptr);
  EXPECT_EQ(server->address(), QHostAddress(QHostAddress::LocalHost));
  EXPECT_EQ(server->port(), f.d.controlPort());
}

TEST(ControlLink, LoadOpensEveryListedFileHoweverItArrives) {
  struct Case {
    const char* how;
    bool byteByByte;
    const char* separator;
  };
  const Case cases[] = {{"one write, LF", false, "\n"}, {"byte by byte, LF", true, "\n"}, {"one write, CR LF", false, "\r\n"}};
  for (const Case& c : cases) {
    LinkFixture f;
    auto s = f.connect();
    const QByteArray message = "/load " + f.a.toUtf8() + c.separator + f.b.toUtf8() + "\r";
    if (c.byteByByte) {
      for (char ch : message.chopped(1)) f.sendPart(*s, QByteArray(1, ch));
      f.send(*s, message.right(1));
    } else {
      f.send(*s, message);
    }
    ASSERT_TRUE(f.waitForDocuments(3)) << c.how;
    EXPECT_EQ(f.names(), (QStringList{"untitled.bas", "a.bas", "b.bas"})) << c.how;
  }
}

TEST(ControlLink, GotoMovesTheCaretToTheLineCountedFromOne) {
  LinkFixture f;
  auto s = f.connect();
  f.send(*s, "/load " + f.a.toUtf8() + "\r");
  ASSERT_TRUE(f.waitForDocuments(2));
  f.send(*s, "/CMD GOTO 12\r");
  Sci sci = CurrentEditor(f.d.app())->sci();
  ASSERT_TRUE(f.d.waitFor([&] { return sci.lineFromPosition(sci.currentPos()) == 11; }));
  f.send(*s, "/cmd goto\r");
  EXPECT_TRUE(f.d.waitFor([&] { return sci.lineFromPosition(sci.currentPos()) == 0; }));
}

TEST(ControlLink, PasteOpensTheClipboardInANewTab) {
  LinkFixture f;
  QApplication::clipboard()->setText("PRINT \"pasted\"\r\n");
  auto s = f.connect();
  f.send(*s, "/paste\r");
  ASSERT_TRUE(f.waitForDocuments(2));
  Sci sci = CurrentEditor(f.d.app())->sci();
  EXPECT_EQ(sci.range(0, sci.length()), "PRINT \"pasted\"\r\n");
  EXPECT_EQ(f.d.app().state().docs.list.current()->syntax, f.d.app().settings().defaultSyntax);
}

TEST(ControlLink, TwoClientsSendingAtOnceDoNotMixTheirBytes) {
  LinkFixture f;
  auto one = f.connect();
  auto two = f.connect();
  const QByteArray first = "/load " + f.a.toUtf8() + "\r";
  const QByteArray second = "/load " + f.b.toUtf8() + "\r";
  // Interleaved halves: each connection keeps its own text.
  f.sendPart(*one, first.left(10));
  f.sendPart(*two, second.left(12));
  f.send(*one, first.mid(10));
  f.send(*two, second.mid(12));
  ASSERT_TRUE(f.waitForDocuments(3));
  EXPECT_EQ(f.names(), (QStringList{"untitled.bas", "a.bas", "b.bas"}));
}

TEST(ControlLink, GarbageFloodsAndSlowSendersLeaveTheEditorWorking) {
  LinkFixture f;
  App& app = f.d.app();
  const ControlServer* server = app.controlServer();
  std::vector<std::unique_ptr<QTcpSocket>> flood;
  for (int i = 0; i < 1000; ++i) {
    auto s = std::make_unique<QTcpSocket>();
    s->connectToHost(QHostAddress::LocalHost, server->port());
    s->write("garbage without an end ");
    flood.push_back(std::move(s));
    if (i % 50 == 0) f.d.processEvents();
  }
  // Every attempt has been taken or refused once no socket is still connecting
  // and the server has none waiting.
  EXPECT_TRUE(f.d.waitFor(
      [&] {
        return server->pendingConnections() == 0 &&
               std::none_of(flood.begin(), flood.end(),
                            [](const auto& s) { return s->state() == QAbstractSocket::ConnectingState; });
      },
      10000));
  EXPECT_LE(server->connectionCount(), ControlServer::kMaxConnections);

  // An oversized command without CR is dropped with its connection.
  auto big = f.connect();
  f.send(*big, QByteArray(3 << 20, 'x'));
  EXPECT_TRUE(f.d.waitFor([&] { return big->state() == QAbstractSocket::UnconnectedState; }, 10000))
      << "the oversized command kept its connection";
  EXPECT_LT(server->heldBytes(), 2 * CommandFramer::kDefaultCap);

  flood.clear();  // the flood goes away; its connections are closed
  f.d.waitFor([&] { return server->connectionCount() <= 2; }, 5000);
  EXPECT_LE(server->connectionCount(), 2);

  auto slow = f.connect();
  const QByteArray command = "/load " + f.a.toUtf8() + "\r";
  for (char ch : command.chopped(1)) f.sendPart(*slow, QByteArray(1, ch));
  f.send(*slow, command.right(1));
  ASSERT_TRUE(f.waitForDocuments(2)) << "a command after the flood still works";
  EXPECT_EQ(f.names(), (QStringList{"untitled.bas", "a.bas"}));
  Sci sci = CurrentEditor(app)->sci();
  EXPECT_EQ(sci.lineCount(), 31) << "the document is intact";
}

TEST(ControlLink, TheHandOverMessageOfASecondStartOpensItsFiles) {
  LinkFixture f;
  auto s = f.connect();
  f.send(*s, HandOverMessage({f.a, f.b}));
  ASSERT_TRUE(f.waitForDocuments(3));
}

}  // namespace
}  // namespace vendle::test

namespace vendle::test {
namespace {

// Runs Qt's events for `ms` the way a modal requester's own loop does.
void NestedLoop(int ms, const std::function<bool()>& done = {}) {
  QEventLoop loop;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
    if (done && done()) loop.quit();
  });
  tick.start(5);
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

QString FileList(LinkFixture& f, int n) {
  QStringList paths;
  for (int i = 0; i < n; ++i) paths.append(f.write(QString("f%1.bas").arg(i)));
  return paths.join('\n');
}

int Executed(App& app) {
  int n = 0;
  for (const QString& h : app.handlerTrace()) n += h.startsWith("ExecuteControlCommand(");
  return n;
}

TEST(ControlLinkNesting, AHandOverThatRaisesAMessageGoesOnAfterItsConnectionHasGone) {
  LinkFixture f;
  App& app = f.d.app();
  const QString files = FileList(f, 20);
  auto s = f.connect();
  QTcpSocket* client = s.get();
  f.d.requesters().answer(Answer::Ok);
  bool shown = false;
  f.d.requesters().whileShown = [&](const Asked& a) {
    if (a.text != "Too many tabs open.") return;
    shown = true;
    // The sender goes away while the message stands; its connection ends
    // and is deleted inside the message's own loop.
    client->disconnectFromHost();
    NestedLoop(300, [&] { return app.controlServer()->connectionCount() == 0; });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  };
  f.send(*s, "/load " + files.toUtf8() + "\r");
  ASSERT_TRUE(f.d.waitFor([&] { return shown; })) << "no message";
  EXPECT_TRUE(f.d.waitFor([&] { return f.d.requesters().asked().front().answered; }));
  f.d.requesters().clear();
  const int open = static_cast<int>(app.state().docs.list.size());
  EXPECT_EQ(open, app.settings().maxTabs);

  // The editor goes on: a new connection's command runs, and the lists are
  // written at exit.
  f.d.requesters().whileShown = nullptr;
  auto again = f.connect();
  f.send(*again, "/cmd goto 7\r");
  Sci sci = CurrentEditor(app)->sci();
  EXPECT_TRUE(f.d.waitFor([&] { return sci.lineFromPosition(sci.currentPos()) == 6; }));
  int named = 0;
  for (const DocumentRecord& r : app.state().docs.list) named += r.name != "untitled.bas";
  f.d.requesters().answer(Answer::Yes);  // "Are you sure you want to quit Vendle?"
  f.d.post(Event::OfKind(EventKind::Close));
  EXPECT_EQ(app.state().quitFlag, 1);
  f.d.shutDown();
  QFile prefs(f.d.dataFolder() + "Vendle5.inf");
  ASSERT_TRUE(prefs.open(QIODevice::ReadOnly));
  const QByteArray text = prefs.readAll();
  EXPECT_TRUE(text.contains(QString("File Count = %1").arg(named).toUtf8())) << text.toStdString();
}

TEST(ControlLinkNesting, CommandsQueuedWhileARequesterStandsAreBoundedAndAllRunAfterIt) {
  LinkFixture f;
  App& app = f.d.app();
  ControlServer* server = app.controlServer();
  constexpr int kClients = 40;
  const QByteArray command = "/cmd goto 5 " + QByteArray(256 << 10, 'x') + "\r";
  std::vector<std::unique_ptr<QTcpSocket>> clients;
  int mostQueued = 0;
  qsizetype mostBytes = 0;
  bool paused = false;
  f.d.requesters().whileShown = [&](const Asked&) {
    for (int i = 0; i < kClients; ++i) {
      auto s = std::make_unique<QTcpSocket>();
      s->connectToHost(QHostAddress::LocalHost, server->port());
      s->write(command);
      clients.push_back(std::move(s));
    }
    NestedLoop(3000, [&] {
      mostQueued = std::max(mostQueued, server->queuedCommands());
      mostBytes = std::max(mostBytes, server->queuedBytes());
      paused = paused || server->readingPaused();
      return false;
    });
  };
  const int before = Executed(app);
  app.requesters().message("Waiting", "A requester stands");
  EXPECT_TRUE(paused) << "reading never paused";
  EXPECT_LE(mostQueued, ControlServer::kMaxQueued);
  EXPECT_LE(mostBytes, ControlServer::kMaxQueuedBytes + command.size() * 2);
  EXPECT_EQ(Executed(app), before) << "a command ran inside the requester";
  // Nothing was dropped: every command runs once the requester is gone.
  EXPECT_TRUE(f.d.waitFor([&] { return Executed(app) - before == kClients; }, 20000)) << Executed(app) - before;
}

// The table row of a socket, as the kernel prints it.
QByteArray Row(quint16 localPort, quint16 remotePort, uint uid, int state = 1, int inode = 4242) {
  return QString("   1: 0100007F:%1 0100007F:%2 %3 00000000:00000000 00:00000000 00000000 %4 0 %5 1 0 20 4 30 10 -1\n")
      .arg(localPort, 4, 16, QChar('0'))
      .arg(remotePort, 4, 16, QChar('0'))
      .arg(state, 2, 16, QChar('0'))
      .arg(uid, 5)
      .arg(inode)
      .toUpper()
      .toUtf8();
}
const QByteArray kHeader =
    "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  timeout inode\n";

TEST(SocketOwner, FindsTheOwnerOfALiveSocketOnly) {
  const QHostAddress lo(QHostAddress::LocalHost);
  const SocketEnds ends{lo, 0xD2F4, lo, 0x1AB0};
  const QByteArray v6 =
      "   0: 0000000000000000FFFF00000100007F:D2F4 0000000000000000FFFF00000100007F:1AB0 01 00000000:00000000 "
      "00:00000000 00000000  1001        0 777 1\n";
  const struct {
    const char* what;
    QByteArray table;
    std::optional<uint> want;
  } rows[] = {
      {"the socket itself", kHeader + Row(0x1AB0, 0xD2F4, 0) + Row(0xD2F4, 0x1AB0, 1000), 1000u},
      {"only the server's end", kHeader + Row(0x1AB0, 0xD2F4, 0), std::nullopt},
      {"time-wait lists uid 0 for anyone", kHeader + Row(0xD2F4, 0x1AB0, 0, 6), std::nullopt},
      {"closed by its process", kHeader + Row(0xD2F4, 0x1AB0, 0, 4, 0), std::nullopt},
      {"an IPv6-mapped socket", kHeader + v6, 1001u},
      {"the header alone", kHeader, std::nullopt},
      {"garbage", "\x01\x02 zz:zz yy:yy\n\n::::\n", std::nullopt},
  };
  for (const auto& r : rows) EXPECT_EQ(FindSocketOwner(r.table, ends), r.want) << r.what;
}

// A closed socket (inode 0) names its maker only where the kernel keeps it;
// otherwise its uid 0 would let anyone pass as root. Time-wait never counts.
TEST(SocketOwner, ARecordOfTheDiagnosticsCountsOnlyWhereItNamesTheMaker) {
  const struct {
    const char* what;
    SocketRecord r;
    bool kept;
    std::optional<uint> want;
  } rows[] = {
      {"live", {1000, 77, 1}, false, 1000u},
      {"live root", {0, 77, 1}, false, 0u},
      {"closed, maker kept", {1000, 0, 4}, false, 1000u},
      {"closed by root where makers are kept", {0, 0, 4}, true, 0u},
      {"closed, uid 0 where makers are not kept", {0, 0, 5}, false, std::nullopt},
      {"time-wait", {0, 0, 6}, true, std::nullopt},
      {"the remnant of a closed socket", {0, 0, 5, 3}, true, std::nullopt},
  };
  for (const auto& r : rows) EXPECT_EQ(OwnerOfRecord(r.r, r.kept), r.want) << r.what;
  for (const QByteArray& garbage : {QByteArray(), QByteArray(15, '\xff'), QByteArray(4096, '\x01')})
    EXPECT_FALSE(ParseSocketDiagReply(garbage)) << garbage.size();
  const QHostAddress lo(QHostAddress::LocalHost);
  EXPECT_FALSE(SocketDiagRequest({lo, 1, lo, 2}).isEmpty());
  EXPECT_TRUE(SocketDiagRequest({lo, 1, QHostAddress("::1"), 2}).isEmpty()) << "two families";
}

TEST(ControlLinkPeers, ConnectionsOfOtherUsersOrUnknownOwnersAreRefused) {
  LinkFixture f;
  ControlServer* server = f.d.app().controlServer();
  const QString table = f.d.root() + "tcp";
  server->setSocketTables({table});
  struct Case {
    const char* what;
    std::optional<uint> uid;  // none: the client is not in the table
    bool opened;
  };
  const Case cases[] = {{"not listed", std::nullopt, false}, {"another user", 65534u, false}, {"the user", ::getuid(), true}};
  f.d.app().settings().debugMode = 1;  // each refusal leaves its line
  int docs = 1;
  for (const Case& c : cases) {
    // The owner is looked up as the connection is accepted: the table names
    // the client's port before it connects.
    const quint16 clientPort = FreePort();
    QFile t(table);
    t.open(QIODevice::WriteOnly);
    t.write(kHeader + Row(server->port(), clientPort, 0));
    if (c.uid) t.write(Row(clientPort, server->port(), *c.uid));
    t.close();
    QTcpSocket s;
    ASSERT_TRUE(s.bind(QHostAddress::LocalHost, clientPort));
    s.connectToHost(QHostAddress::LocalHost, server->port());
    ASSERT_TRUE(s.waitForConnected(3000));
    f.send(s, "/load " + f.a.toUtf8() + "\r");
    if (c.opened) {
      EXPECT_TRUE(f.waitForDocuments(++docs)) << c.what;
    } else {
      EXPECT_TRUE(f.d.waitFor([&] { return s.state() == QAbstractSocket::UnconnectedState; }, 3000)) << c.what;
      EXPECT_TRUE(f.waitUntilIdle()) << c.what;
      EXPECT_EQ(f.d.app().state().docs.list.size(), docs) << c.what;
    }
  }
  const QString log = InfoWindowText(f.d.app());
  EXPECT_TRUE(log.contains("Refused- a connection of user 65534")) << log.toStdString();
  EXPECT_TRUE(log.contains("whose owner is unknown")) << log.toStdString();
}

TEST(ControlLinkPeers, ARealProcessOfAnotherUserCannotOpenFiles) {
  if (::getuid() != 0) GTEST_SKIP() << "needs root to run a process as another user";
  LinkFixture f;
  const quint16 port = f.d.app().controlServer()->port();
  const QByteArray message = "/load " + f.a.toUtf8() + "\r";
  const pid_t child = ::fork();
  if (child == 0) {
    // Only async-signal-safe calls here.
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) ::_exit(3);
    if (::write(fd, message.constData(), message.size()) != message.size()) ::_exit(4);
    char c;
    const ssize_t r = ::read(fd, &c, 1);  // waits for the editor's answer: close or reset
    ::_exit(r < 0 ? 0 : 5);
  }
  ASSERT_GT(child, 0);
  int status = -1;
  ASSERT_TRUE(f.d.waitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 10000));
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the connection was not reset";
  EXPECT_TRUE(f.waitUntilIdle());
  EXPECT_EQ(f.d.app().state().docs.list.size(), 1) << "another user's command opened a file";
}

// Clients that send one command and close at once, as a script piping into
// nc does: by the time the editor looks, the client's socket is closed, and
// the socket tables list it with uid 0 whoever made it. Every command of
// the user runs; none of another user's does.
TEST(ControlLinkPeers, ClientsThatCloseAtOnceAreKnownByTheirMaker) {
  constexpr int kClients = 200;
  struct Case {
    const char* who;
    uid_t uid;
    bool run;
  };
  std::vector<Case> cases = {{"the user", ::getuid(), true}};
  if (::getuid() == 0) cases.push_back({"another user", 65534, false});
  for (const Case& c : cases) {
    LinkFixture f;
    App& app = f.d.app();
    app.settings().debugMode = 1;
    OpenDocument(app, f.a, false);
    const quint16 port = app.controlServer()->port();
    const QByteArray message = "/cmd goto 5\r";
    const int before = Executed(app);
    const pid_t child = ::fork();
    if (child == 0) {
      // Only async-signal-safe calls here.
      if (c.uid != ::getuid() && (::setgid(c.uid) != 0 || ::setuid(c.uid) != 0)) ::_exit(2);
      sockaddr_in a{};
      a.sin_family = AF_INET;
      a.sin_port = htons(port);
      a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      // A refused client may see its connection reset at any step: it goes on.
      for (int made = 0, tries = 0; made < kClients; ++tries) {
        if (tries > 10 * kClients) ::_exit(3);
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
          ::close(fd);
          continue;
        }
        ++made;
        if (::send(fd, message.constData(), size_t(message.size()), MSG_NOSIGNAL) != message.size() && c.run)
          ::_exit(4);
        ::close(fd);
      }
      ::_exit(0);
    }
    ASSERT_GT(child, 0);
    int status = -1;
    // A bound on a hang, not a time limit: under a loaded sanitizer run the
    // 200 connections took over 20 seconds.
    ASSERT_TRUE(f.d.waitFor([&] { return ::waitpid(child, &status, WNOHANG) == child; }, 90000)) << c.who;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.who << ": the client failed";
    if (c.run) {
      // The owner of a socket its maker closed is known only until the close
      // is acknowledged (well under a millisecond): a server thread kept from
      // its processor past that refuses the command as of an unknown owner,
      // and says so. That is all a loaded machine allows; every command is
      // either run or said, and none is refused for another reason.
      const auto unknown = [&] { return int(InfoWindowText(app).count("whose owner is unknown")); };
      // (A client refused before its connect returned connects again.)
      f.d.waitFor([&] { return Executed(app) - before + unknown() >= kClients; }, 20000);
      EXPECT_TRUE(f.waitUntilIdle());
      const QString log = InfoWindowText(app);
      EXPECT_GE(Executed(app) - before + unknown(), kClients) << c.who << "\n" << log.left(2000).toStdString();
      EXPECT_LE(Executed(app) - before, kClients);
      EXPECT_EQ(log.count("Refused"), unknown()) << log.left(2000).toStdString();
      EXPECT_GT(Executed(app) - before, 0) << "no owner was known: " << log.left(2000).toStdString();
      RecordProperty("refused as unknown", unknown());
    } else {
      f.d.waitFor([&] { return app.controlServer()->acceptedCount() + InfoWindowText(app).count("Refused") >= kClients; }, 20000);
      EXPECT_TRUE(f.waitUntilIdle());
      EXPECT_EQ(Executed(app), before) << c.who;
      // Each said with why: mostly as that user's; one looked at only after
      // its close was acknowledged as of an unknown owner. A client may count
      // one more: refused before its connect returned, it connects again.
      const QString log = InfoWindowText(app);
      QStringList other;
      for (const QString& line : log.split(u'\n'))
        if (!line.contains("Refused- a connection of user 65534")) other << line;
      EXPECT_GE(log.count("Refused- a connection of user 65534") + log.count("whose owner is unknown"), kClients)
          << other.join(u'\n').left(3000).toStdString();
      EXPECT_EQ(log.count("Refused"), log.count("Refused- a connection of user 65534") + log.count("whose owner is unknown"))
          << other.join(u'\n').left(3000).toStdString();
      EXPECT_GT(log.count("Refused- a connection of user 65534"), 0);
    }
  }
}

TEST(ControlLinkLimits, SilentConnectionsTimeOutAndTheCapMakesRoomForANewOne) {
  LinkFixture f;
  ControlServer* server = f.d.app().controlServer();
  server->setIdleTimeout(200);
  auto silent = f.connect();
  EXPECT_TRUE(f.d.waitFor([&] { return server->connectionCount() == 0; }, 5000)) << "a silent connection stayed";

  server->setIdleTimeout(60000);
  std::vector<std::unique_ptr<QTcpSocket>> idle;
  for (int i = 0; i < ControlServer::kMaxConnections; ++i) idle.push_back(f.connect());
  ASSERT_TRUE(f.d.waitFor([&] { return server->connectionCount() == ControlServer::kMaxConnections; }));
  auto fresh = f.connect();
  f.send(*fresh, "/load " + f.a.toUtf8() + "\r");
  EXPECT_TRUE(f.waitForDocuments(2)) << "the newest connection was refused";
  EXPECT_LE(server->connectionCount(), ControlServer::kMaxConnections);
  EXPECT_EQ(idle.front()->state(), QAbstractSocket::UnconnectedState) << "the oldest silent one was not closed";
}

TEST(ControlLink, AHandOverRestoresAndRaisesTheMainWindowEvenWithAnEmptyList) {
  for (const bool empty : {true, false}) {
    LinkFixture f;
    QWidget* w = f.d.app().mainWidget();
    w->setWindowState(Qt::WindowMinimized);
    auto s = f.connect();
    f.send(*s, empty ? QByteArray("/load \r") : "/load " + f.a.toUtf8() + "\r");
    EXPECT_TRUE(f.d.waitFor([&] { return !w->isMinimized(); })) << (empty ? "empty list" : "one file");
    EXPECT_TRUE(w->isVisible());
  }
}

}  // namespace
}  // namespace vendle::test
