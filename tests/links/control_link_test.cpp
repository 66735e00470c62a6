// The control link over real loopback sockets against the running editor.
#include <gtest/gtest.h>

#include <QApplication>
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
  QString write(const char* name) {
    const QString path = d.root() + name;
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (int i = 1; i <= 30; ++i) f.write(QByteArray("PRINT ") + QByteArray::number(i) + "\r\n");
    return path;
  }
  std::unique_ptr<QTcpSocket> connect() {
    auto s = std::make_unique<QTcpSocket>();
    s->connectToHost(QHostAddress::LocalHost, d.app().controlServer()->port());
    EXPECT_TRUE(s->waitForConnected(3000));
    d.processEvents(5);
    return s;
  }
  void send(QTcpSocket& s, const QByteArray& bytes) {
    s.write(bytes);
    s.flush();
    s.waitForBytesWritten(1000);
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
  EXPECT_EQ(server->server()->serverAddress(), QHostAddress(QHostAddress::LocalHost));
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
      for (char ch : message) {
        f.send(*s, QByteArray(1, ch));
        f.d.processEvents(1);
      }
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
  f.send(*one, first.left(10));
  f.d.processEvents(5);
  f.send(*two, second.left(12));
  f.d.processEvents(5);
  f.send(*one, first.mid(10));
  f.d.processEvents(5);
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
    if (i % 50 == 0) f.d.processEvents(2);
  }
  f.d.processEvents(200);
  EXPECT_LE(server->connectionCount(), ControlServer::kMaxConnections);

  // An oversized command without CR is dropped with its connection.
  auto big = f.connect();
  f.send(*big, QByteArray(3 << 20, 'x'));
  f.d.processEvents(300);
  EXPECT_LT(server->heldBytes(), 2 * CommandFramer::kDefaultCap);

  flood.clear();  // the flood goes away; its connections are closed
  f.d.waitFor([&] { return server->connectionCount() <= 2; }, 5000);
  EXPECT_LE(server->connectionCount(), 2);

  auto slow = f.connect();
  for (char ch : "/load " + f.a.toUtf8() + "\r") {
    f.send(*slow, QByteArray(1, ch));
    f.d.processEvents(3);
  }
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
