// How much CPU an idle running editor uses, and how long it takes from the
// process start to the first idle loop, each against an empty Qt window
// measured the same way in the same run.
//
//   idle_bench [seconds]        (default 10)
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {

// utime + stime of a process, in seconds.
double CpuSeconds(qint64 pid) {
  QFile f(QString("/proc/%1/stat").arg(pid));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray line = f.readAll();
  const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
  // Fields after the name: state is index 0, utime 11, stime 12.
  const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();
  return ticks / double(sysconf(_SC_CLK_TCK));
}

quint16 FreePort() {
  QTcpServer s;
  s.listen(QHostAddress::LocalHost, 0);
  return s.serverPort();
}

struct Run {
  double startMs = 0;
  double idleCpuPercent = 0;
};

// Starts `program` with `args`, waits until `port` accepts a connection (the
// program is then in its loop), and measures its CPU over `seconds`.
Run Measure(const QString& program, const QStringList& args, const QString& workDir, quint16 port, int seconds) {
  Run r;
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_RUNTIME_DIR", workDir);
  p.setProcessEnvironment(env);
  p.setWorkingDirectory(workDir);
  QElapsedTimer clock;
  clock.start();
  p.start(program, args);
  if (!p.waitForStarted(5000)) {
    std::fprintf(stderr, "cannot start %s\n", qPrintable(program));
    return r;
  }
  for (;;) {
    QTcpSocket s;
    s.connectToHost(QHostAddress::LocalHost, port);
    if (s.waitForConnected(50)) {
      s.disconnectFromHost();
      break;
    }
    if (clock.elapsed() > 20000) {
      std::fprintf(stderr, "%s never reached its loop\n", qPrintable(program));
      p.kill();
      p.waitForFinished();
      return r;
    }
    QThread::msleep(2);
  }
  r.startMs = clock.nsecsElapsed() / 1e6;
  QThread::msleep(500);  // let start-up timers (first layout) pass
  const double before = CpuSeconds(p.processId());
  QThread::sleep(seconds);
  const double after = CpuSeconds(p.processId());
  r.idleCpuPercent = 100.0 * (after - before) / seconds;
  p.terminate();
  if (!p.waitForFinished(5000)) {
    p.kill();
    p.waitForFinished();
  }
  return r;
}

// The baseline: an empty Qt window that listens on a port and idles.
int BaselineChild(quint16 port) {
  int argc = 1;
  char name[] = "baseline";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  QWidget w;
  w.resize(1100, 900);
  w.show();
  QTcpServer server;
  QTimer::singleShot(0, [&] { server.listen(QHostAddress::LocalHost, port); });
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && QByteArray(argv[1]) == "--baseline-child") return BaselineChild(QByteArray(argv[2]).toUShort());
  QCoreApplication app(argc, argv);
  const int seconds = argc > 1 ? QByteArray(argv[1]).toInt() : 10;
  QTemporaryDir dir;
  const QString prog = dir.path() + "/prog/";
  QDir().mkpath(prog + "Data");
  QFile::copy(VENDLE_EXECUTABLE, prog + "vendle");
  QFile(prog + "vendle").setPermissions(QFile::ExeOwner | QFile::ReadOwner | QFile::WriteOwner);
  QFile(prog + "portable.inf").open(QIODevice::WriteOnly);
  const quint16 port = FreePort();
  QFile inf(prog + "Data/Vendle5.inf");
  inf.open(QIODevice::WriteOnly);
  inf.write(QString("\xEF\xBB\xBF\r\n[Misc Preferences]\r\nConfirm before Exit = 0\r\n[Network]\r\nControl Port = %1\r\n")
                .arg(port)
                .toUtf8());
  inf.close();

  const Run base = Measure(QCoreApplication::applicationFilePath(), {"--baseline-child", QString::number(port)},
                           dir.path(), port, seconds);
  const Run editor = Measure(prog + "vendle", {}, dir.path(), port, seconds);
  std::printf("start to first idle loop: editor %.0f ms, empty Qt window %.0f ms, ratio %.2f\n", editor.startMs,
              base.startMs, base.startMs > 0 ? editor.startMs / base.startMs : 0.0);
  std::printf("idle CPU over %d s: editor %.3f%% of one core, empty Qt window %.3f%%\n", seconds,
              editor.idleCpuPercent, base.idleCpuPercent);
  return 0;
}
