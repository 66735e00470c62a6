// The control link of a running editor: commands per second over the port
// and the time from "/load" to the document shown, against the floor of a
// bare socket server that only reads the same bytes, in the same run.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <cstdio>

#include "app_driver.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/editor_view.h"
#include "links/control_server.h"

using namespace vendle;
using namespace vendle::test;

namespace {

constexpr int kCommands = 5000;

QByteArray Commands() {
  QByteArray all;
  for (int i = 0; i < kCommands; ++i) all += "/cmd goto " + QByteArray::number(i % 200 + 1) + "\r";
  return all;
}

// Sends each command in its own write and waits until `done` says all arrived.
double SendAll(quint16 port, const std::function<bool()>& done) {
  QTcpSocket s;
  s.connectToHost(QHostAddress::LocalHost, port);
  s.waitForConnected(3000);
  QElapsedTimer t;
  t.start();
  const QByteArray all = Commands();
  qsizetype from = 0;
  while (from < all.size()) {
    const qsizetype cr = all.indexOf('\r', from);
    s.write(all.mid(from, cr - from + 1));
    s.flush();
    from = cr + 1;
    // Let the receiver take each command before the next: one command per read.
    s.waitForBytesWritten(100);
    QCoreApplication::processEvents();
  }
  while (!done()) {
    QCoreApplication::processEvents();
    if (t.elapsed() > 60000) break;
  }
  return t.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);

  // The floor: a server that counts the CRs it reads.
  int floorSeen = 0;
  QTcpServer floor;
  floor.listen(QHostAddress::LocalHost, 0);
  QObject::connect(&floor, &QTcpServer::newConnection, [&] {
    QTcpSocket* c = floor.nextPendingConnection();
    QObject::connect(c, &QTcpSocket::readyRead, [&, c] {
      if (c->isOpen()) floorSeen += c->readAll().count('\r');
    });
  });
  const double floorSec = SendAll(floor.serverPort(), [&] { return floorSeen >= kCommands; });

  AppDriver d;
  {
    QFile f(d.root() + "target.bas");
    f.open(QIODevice::WriteOnly);
    for (int i = 0; i < 300; ++i) f.write("PRINT " + QByteArray::number(i) + "\r\n");
  }
  OpenDocument(d.app(), d.root() + "target.bas", false);
  Sci sci = CurrentEditor(d.app())->sci();
  // The last command goes to line (kCommands - 1) % 200 + 1.
  const Sci::Pos lastLine = (kCommands - 1) % 200;
  const double editorSec =
      SendAll(d.app().controlServer()->port(), [&] { return sci.lineFromPosition(sci.currentPos()) == lastLine; });

  std::printf("commands over the port: editor %.0f/s, bare socket floor %.0f/s, editor/floor %.2f\n",
              kCommands / editorSec, kCommands / floorSec, floorSec / editorSec);

  // "/load" to the document shown.
  double loadMs = 0;
  const int runs = 20;
  for (int r = 0; r < runs; ++r) {
    const QString path = d.root() + QString("l%1.bas").arg(r);
    {
      QFile f(path);
      f.open(QIODevice::WriteOnly);
      for (int i = 0; i < 500; ++i) f.write("SUB S" + QByteArray::number(i) + "(x)\r\n  PRINT x\r\nEND SUB\r\n");
    }
    const int before = d.app().state().docs.list.size();
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, d.app().controlServer()->port());
    s.waitForConnected(3000);
    QElapsedTimer t;
    t.start();
    s.write(("/load " + path + "\r").toUtf8());
    s.flush();
    while (d.app().state().docs.list.size() == before) QCoreApplication::processEvents();
    CurrentEditor(d.app())->repaint();
    loadMs += t.nsecsElapsed() / 1e6;
    CloseCurrentDocument(d.app());
  }
  std::printf("\"/load\" to the document shown (a 36 KB program): %.1f ms on average over %d runs\n", loadMs / runs,
              runs);
  return 0;
}
