// A 10 MB program made from the corpus, opened through the running editor
// with the default settings ("Word Wrap" 1), against a bare QsciScintilla
// holding the same text with the same wrap and none of the editor's set-up,
// each in a fresh process of its own, in the same run:
// - open to shown and styled, and to the first idle loop (the wrap of every
//   line is done in idle time);
// - the longest wait of a key pressed while the lines are wrapped;
// - the CPU time of a key typed at the end of the text;
// - the peak memory of the process (VmHWM).
//
//   large_program_bench [runs] [megabytes] [many]   (default 5 runs of 10 MB;
//                                                    "many": small subs)
//   large_program_bench --write FILE [megabytes] [many]   (the program only)
//   large_program_bench --editor FILE                     (one editor run)
#include <time.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <Qsci/qsciscintilla.h>
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app_driver.h"
#include "corpus_programs.h"
#include "documents/ui/document_commands.h"
#include "editor/ui/text_access.h"
#include "editor/ui/editor_view.h"
#include "platform/text_lines.h"
#include "tools/ui/source_tools.h"

using namespace vendle;
using namespace vendle::test;
using S = QsciScintillaBase;

namespace {

double CpuMs() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double PeakMb() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
  return -1;
}

// Runs the event loop until the process has been idle (less than 2 ms of
// CPU in 200 ms) and returns the time of the last busy moment on `clock`.
// The loop's own "about to block" comes at every round, also while a
// zero-time timer (the control's idle work) is pending, so CPU time decides.
double RunToIdle(const QElapsedTimer& clock) {
  QEventLoop loop;
  QTimer sample;
  sample.setInterval(10);
  double lastCpu = CpuMs(), lastBusy = clock.nsecsElapsed() / 1e6, quietSince = lastBusy;
  QObject::connect(&sample, &QTimer::timeout, &loop, [&] {
    const double now = clock.nsecsElapsed() / 1e6, cpu = CpuMs();
    if (cpu - lastCpu > 1.0) {
      lastBusy = now;
      quietSince = now;
    } else if (now - quietSince > 200) {
      loop.quit();
    }
    lastCpu = cpu;
  });
  sample.start();
  loop.exec();
  return lastBusy;
}

void RunToIdle() {
  QElapsedTimer clock;
  clock.start();
  RunToIdle(clock);
}

// Presses Right every 20 ms from a second thread (once the last press was
// handled), as a user's keys come whatever the editor is doing, and keeps
// the longest time a press waited to be handled.
class KeyWaits : public QObject {
 public:
  explicit KeyWaits(QWidget& target) : target_(target) {
    clock_.start();
    target_.installEventFilter(this);
    presser_ = std::thread([this] {
      while (!stop_.load()) {
        if (!pending_.load()) {
          postedNs_.store(clock_.nsecsElapsed());
          pending_.store(true);
          QCoreApplication::postEvent(&target_, new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    });
  }
  ~KeyWaits() override { stop(); }
  void stop() {
    stop_.store(true);
    if (presser_.joinable()) presser_.join();
  }
  double longestMs() const { return longest_; }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::KeyPress && pending_.load()) {
      longest_ = std::max(longest_, (clock_.nsecsElapsed() - postedNs_.load()) / 1e6);
      pending_.store(false);
    }
    return false;
  }

 private:
  QWidget& target_;
  QElapsedTimer clock_;
  std::thread presser_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> pending_{false};
  std::atomic<qint64> postedNs_{0};
  double longest_ = 0;
};

// A narrower editor wraps every line again in idle time: the longest wait
// of the cursor keys pressed meanwhile, over the first 1.5 s.
double KeyWaitWhileWrapping(QWidget& ed) {
  ed.resize(ed.width() - 40, ed.height());
  KeyWaits waits(ed);
  QEventLoop loop;
  QTimer::singleShot(1500, &loop, &QEventLoop::quit);
  loop.exec();
  waits.stop();
  const double longest = waits.longestMs();
  ed.resize(ed.width() + 40, ed.height());
  RunToIdle();
  return longest;
}

// The CPU time of one typed character at the end, with its repaint and
// whatever the loop then has to do; the median of `n`. Under callgrind
// (--instr-atstart=no) only these keys are counted.
double KeyAtEndMs(QsciScintillaBase& ed, int n) {
  ed.SendScintilla(S::SCI_DOCUMENTEND);
  ed.repaint();
  RunToIdle();
  std::vector<double> ms;
  CALLGRIND_START_INSTRUMENTATION;
  for (int i = 0; i < n; ++i) {
    const double before = CpuMs();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&ed, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(&ed, &release);
    ed.repaint();
    RunToIdle();
    ms.push_back(CpuMs() - before);
  }
  CALLGRIND_STOP_INSTRUMENTATION;
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

struct Result {
  double shownMs = 0, idleMs = 0, keyWaitMs = 0, keyMs = 0, peakMb = 0;
  int width = 0, height = 0;
  double idleCpuMs = 0;
  double reportMs = 0, splitMs = 0;
};

void Print(const Result& r) {
  std::printf("RESULT %.3f %.3f %.3f %.3f %.3f %d %d %.3f %.3f %.3f\n", r.shownMs, r.idleMs, r.keyWaitMs, r.keyMs,
              r.peakMb, r.width, r.height, r.idleCpuMs, r.reportMs, r.splitMs);
}

int EditorChild(const QString& path) {
  AppDriver d;
  Result r;
  QElapsedTimer t;
  t.start();
  const double cpu0 = CpuMs();
  OpenDocument(d.app(), path, false);
  EditorView* ed = CurrentEditor(d.app());
  if (!ed) return 1;
  ed->repaint();
  QCoreApplication::processEvents();
  r.shownMs = t.nsecsElapsed() / 1e6;
  r.idleMs = RunToIdle(t);
  r.idleCpuMs = CpuMs() - cpu0;
  r.peakMb = PeakMb();
  r.width = ed->width();
  r.height = ed->height();
  r.keyWaitMs = KeyWaitWhileWrapping(*ed);
  r.keyMs = KeyAtEndMs(*ed, 9);
  // "Display Variable report" through the program, against splitting the
  // same text into lines.
  {
    const QString text = GetEditorText(ed);
    QElapsedTimer split;
    split.start();
    volatile qsizetype lines = SplitLines(text).size();
    (void)lines;
    r.splitMs = split.nsecsElapsed() / 1e6;
    QElapsedTimer report;
    report.start();
    ShowVariableReport(d.app());
    QCoreApplication::processEvents();
    r.reportMs = report.nsecsElapsed() / 1e6;
  }
  Print(r);
  return 0;
}

int BareChild(const QString& path, int width, int height) {
  int argc = 1;
  char name[] = "bare";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  Result r;
  QElapsedTimer t;
  t.start();
  const double cpu0 = CpuMs();
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return 1;
  QsciScintilla ed;
  ed.resize(width, height);
  ed.setUtf8(true);
  ed.setWrapMode(QsciScintilla::WrapWord);
  // The UTF-8 bytes the editor holds, given as QsciScintilla::setText
  // gives them (its undo history emptied), without a copy in UTF-16.
  QByteArray utf8 = f.readAll();
  if (!QtPrivate::isAscii(QLatin1StringView(utf8.constData(), utf8.size())))
    utf8 = QString::fromLatin1(utf8).toUtf8();
  ed.SendScintilla(S::SCI_SETTEXT, utf8.constData());
  ed.SendScintilla(S::SCI_EMPTYUNDOBUFFER);
  utf8.clear();
  ed.show();
  ed.repaint();
  QCoreApplication::processEvents();
  r.shownMs = t.nsecsElapsed() / 1e6;
  r.idleMs = RunToIdle(t);
  r.idleCpuMs = CpuMs() - cpu0;
  r.peakMb = PeakMb();
  r.keyWaitMs = KeyWaitWhileWrapping(ed);
  r.width = width;
  r.height = height;
  r.keyMs = KeyAtEndMs(ed, 9);
  Print(r);
  return 0;
}

Result RunChild(const QStringList& args) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  p.setProcessEnvironment(env);
  p.start(QCoreApplication::applicationFilePath(), args);
  p.waitForFinished(300000);
  Result r;
  for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
    if (!line.startsWith("RESULT ")) continue;
    const QList<QByteArray> f = line.mid(7).split(' ');
    r = {f.value(0).toDouble(), f.value(1).toDouble(), f.value(2).toDouble(), f.value(3).toDouble(),
         f.value(4).toDouble(), f.value(5).toInt(),    f.value(6).toInt(),    f.value(7).toDouble(),
         f.value(8).toDouble(), f.value(9).toDouble()};
  }
  return r;
}

struct Spread {
  double min, median, max;
};

Spread Of(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v.front(), v[v.size() / 2], v.back()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && QByteArray(argv[1]) == "--editor") {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return EditorChild(QString::fromLocal8Bit(argv[2]));
  }
  if (argc >= 5 && QByteArray(argv[1]) == "--bare")
    return BareChild(QString::fromLocal8Bit(argv[2]), atoi(argv[3]), atoi(argv[4]));

  QCoreApplication app(argc, argv);
  const int shift = argc > 1 && QByteArray(argv[1]) == "--write" ? 1 : 0;
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  const int mb = argc > 2 + shift ? std::max(1, atoi(argv[2 + shift])) : 10;
  const bool many = argc > 3 + shift && QByteArray(argv[3 + shift]) == "many";
  const QByteArray program = many ? ManySubsProgram(qsizetype(mb) << 20) : CorpusProgram(qsizetype(mb) << 20);
  if (program.isEmpty()) {
    std::fprintf(stderr, "no corpus at %s\n", qPrintable(CorpusFolder()));
    return 1;
  }
  QTemporaryDir dir;
  const QString path = dir.path() + "/big.bas";
  if (argc > 2 && QByteArray(argv[1]) == "--write") {
    QFile f(QString::fromLocal8Bit(argv[2]));
    return f.open(QIODevice::WriteOnly) && f.write(program) == program.size() ? 0 : 1;
  }
  {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(program);
  }
  std::map<std::string, std::vector<double>> v;
  for (int run = 0; run < runs; ++run) {
    const Result e = RunChild({"--editor", path});
    const Result b = RunChild({"--bare", path, QString::number(e.width), QString::number(e.height)});
    v["shown"].push_back(e.shownMs);
    v["idle"].push_back(e.idleMs);
    v["bare idle"].push_back(b.idleMs);
    v["idle/bare"].push_back(e.idleMs / b.idleMs);
    v["idle cpu"].push_back(e.idleCpuMs);
    v["bare idle cpu"].push_back(b.idleCpuMs);
    v["idle cpu/bare"].push_back(e.idleCpuMs / b.idleCpuMs);
    v["key wait"].push_back(e.keyWaitMs);
    v["bare key wait"].push_back(b.keyWaitMs);
    v["key"].push_back(e.keyMs);
    v["bare key"].push_back(b.keyMs);
    v["key/bare"].push_back(e.keyMs / b.keyMs);
    v["peak MB"].push_back(e.peakMb);
    v["bare peak MB"].push_back(b.peakMb);
    v["peak/bare"].push_back(e.peakMb / b.peakMb);
    v["report"].push_back(e.reportMs);
    v["split"].push_back(e.splitMs);
    v["report/split"].push_back(e.reportMs / e.splitMs);
  }
  std::printf("%d MB%s (%lld bytes), %d runs, editor %s\n", mb, many ? " of small subs" : "",
              static_cast<long long>(program.size()), runs, "default settings, Word Wrap 1");
  std::printf("%-34s %10s %10s %10s\n", "measure", "min", "median", "max");
  const char* order[] = {"shown",     "idle",          "bare idle", "idle/bare",    "idle cpu",
                         "bare idle cpu", "idle cpu/bare", "key wait", "bare key wait", "key",
                         "bare key",  "key/bare",      "peak MB",   "bare peak MB", "peak/bare",
                         "report",    "split",         "report/split"};
  const char* label[] = {"open to shown ms",       "open to first idle ms",  "  bare QScintilla ms",
                         "  ratio",                "  CPU ms to first idle", "    bare QScintilla ms",
                         "    ratio",              "longest key wait ms",    "  bare QScintilla ms",
                         "key at the end, CPU ms", "  bare QScintilla ms",   "  ratio",
                         "peak memory MB",         "  bare QScintilla MB",   "  ratio",
                         "Variable report ms",     "  line split ms",        "  ratio"};
  for (std::size_t i = 0; i < std::size(order); ++i) {
    const Spread s = Of(v[order[i]]);
    std::printf("%-34s %10.2f %10.2f %10.2f\n", label[i], s.min, s.median, s.max);
  }
  return 0;
}
