#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace vendle {
namespace {

ProcessStartObserver& Observer() {
  static ProcessStartObserver observer;
  return observer;
}

ProcessWatchObserver& WatchObserver() {
  static ProcessWatchObserver observer;
  return observer;
}

StartOutcome Failed(QString why) { return {false, 0, std::move(why)}; }

// The executable to run, or the reason there is none.
StartOutcome ResolveProgram(const ProcessStart& s, QString* resolved) {
  if (s.program.isEmpty()) return Failed(QStringLiteral("no program is named"));
  if (!s.program.contains(u'/')) {
    *resolved = QStandardPaths::findExecutable(s.program);
    if (resolved->isEmpty()) return Failed(QStringLiteral("\"%1\" was not found on the search path").arg(s.program));
    return {true, 0, {}};
  }
  const QString base = s.workingFolder.isEmpty() ? QDir::currentPath() : s.workingFolder;
  *resolved = QDir::isAbsolutePath(s.program) ? s.program : QDir(base).absoluteFilePath(s.program);
  const QFileInfo info(*resolved);
  if (!info.exists()) return Failed(QStringLiteral("\"%1\" does not exist").arg(*resolved));
  if (info.isDir() || !info.isExecutable())
    return Failed(QStringLiteral("\"%1\" is not an executable file").arg(*resolved));
  return {true, 0, {}};
}

// ------------------------------------------------ the two forked processes
//
// The editor forks a watcher, which forks the program and reports on a pipe
// first whether the program could be run, then how it stood when the watch
// ended. The watcher then exits, so the program, if it still runs, belongs
// to init like any detached program, and the editor reaps only the watcher.
// Between fork and exec only async-signal-safe calls are made: all that
// needs memory is made before the fork.

enum Stage : int { kRan = 0, kEnterFolder = 1, kExec = 2, kFork = 3 };

struct Launched {
  int pid = 0;
  int stage = kRan;
  int error = 0;  // errno of the stage that failed
};

struct Ended {
  int running = 1;  // 0: `status` is the program's wait status
  int status = 0;
};

struct Prepared {
  QByteArray program;
  QByteArray folder;
  std::vector<QByteArray> arguments;
  std::vector<char*> argv;
  int highestFd = 1024;
};

bool WriteAll(int fd, const void* data, std::size_t n) {
  const char* p = static_cast<const char*>(data);
  while (n > 0) {
    const ssize_t k = ::write(fd, p, n);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) return false;
    p += k;
    n -= static_cast<std::size_t>(k);
  }
  return true;
}

bool ReadAll(int fd, void* data, std::size_t n) {
  char* p = static_cast<char*>(data);
  while (n > 0) {
    const ssize_t k = ::read(fd, p, n);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) return false;
    p += k;
    n -= static_cast<std::size_t>(k);
  }
  return true;
}

void Reap(pid_t pid) {
  while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
}

// The editor's own descriptors (the lock file, sockets) are not the program's.
void CloseOnExecFrom(int first, int highest) {
  if (::close_range(static_cast<unsigned>(first), ~0U, CLOSE_RANGE_CLOEXEC) == 0) return;
  for (int fd = first; fd <= highest; ++fd) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

[[noreturn]] void RunProgram(const Prepared& p, int nullInput, int errorOutput, int report) {
  ::setsid();
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  ::sigaction(SIGPIPE, &byDefault, nullptr);
  int failure[2] = {kEnterFolder, 0};
  if (!p.folder.isEmpty() && ::chdir(p.folder.constData()) != 0) {
    failure[1] = errno;
    WriteAll(report, failure, sizeof failure);
    ::_exit(127);
  }
  ::dup2(nullInput, 0);
  if (errorOutput >= 0) ::dup2(errorOutput, 2);
  CloseOnExecFrom(3, p.highestFd);
  ::execv(p.program.constData(), p.argv.data());
  failure[0] = kExec;
  failure[1] = errno;
  WriteAll(report, failure, sizeof failure);
  ::_exit(127);
}

long ElapsedMs(const timespec& since) {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return (now.tv_sec - since.tv_sec) * 1000 + (now.tv_nsec - since.tv_nsec) / 1000000;
}

[[noreturn]] void WatchProgram(const Prepared& p, int nullInput, int errorOutput, int status, int watchMs) {
  Launched l;
  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) {
    l = {0, kFork, errno};
    WriteAll(status, &l, sizeof l);
    ::_exit(0);
  }
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(report[0]);
    RunProgram(p, nullInput, errorOutput, report[1]);
  }
  ::close(report[1]);
  if (child < 0) {
    l = {0, kFork, errno};
  } else {
    l.pid = child;
    int failure[2];
    if (ReadAll(report[0], failure, sizeof failure)) {
      l.stage = failure[0];
      l.error = failure[1];
    }
  }
  WriteAll(status, &l, sizeof l);
  if (l.error != 0) {
    if (child > 0) Reap(child);
    ::_exit(0);
  }
  timespec start{};
  ::clock_gettime(CLOCK_MONOTONIC, &start);
  Ended e;
  for (;;) {
    int st = 0;
    const pid_t r = ::waitpid(child, &st, WNOHANG);
    if (r == child) {
      e = {0, st};
      break;
    }
    if ((r < 0 && errno != EINTR) || ElapsedMs(start) >= watchMs) break;
    const timespec pause{0, 10 * 1000 * 1000};
    ::nanosleep(&pause, nullptr);
  }
  WriteAll(status, &e, sizeof e);
  ::_exit(0);
}

// An unnamed file for the program's error output: no pipe, so a program
// that goes on writing after the watch never meets a closed reader.
int OpenUnnamedFile() {
  const QByteArray dir = QFile::encodeName(QDir::tempPath());
  int fd = ::open(dir.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
  QByteArray name = dir + "/vendle-errors-XXXXXX";
  fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd >= 0) ::unlink(name.constData());
  return fd;
}

// The last `kErrorTailBytes` of the file.
QByteArray FileTail(int fd, bool* cut) {
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0 || st.st_size <= 0) return {};
  const off_t from = st.st_size > kErrorTailBytes ? st.st_size - kErrorTailBytes : 0;
  *cut = from > 0;
  QByteArray bytes(static_cast<qsizetype>(st.st_size - from), '\0');
  qsizetype have = 0;
  while (have < bytes.size()) {
    const ssize_t k = ::pread(fd, bytes.data() + have, static_cast<std::size_t>(bytes.size() - have), from + have);
    if (k < 0 && errno == EINTR) continue;
    if (k <= 0) break;
    have += k;
  }
  bytes.truncate(have);
  return bytes;
}

// Reads the watcher's last record without blocking the loop, hands the
// result over, and reaps the watcher.
class ProcessWatch : public QObject {
 public:
  ProcessWatch(QObject* context, ProcessStart start, pid_t watcher, int statusFd, int errorFd, EarlyEndHandler onEnd)
      : QObject(context),
        start_(std::move(start)),
        onEnd_(std::move(onEnd)),
        watcher_(watcher),
        statusFd_(statusFd),
        errorFd_(errorFd) {
    notifier_ = new QSocketNotifier(statusFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { readStatus(); });
  }
  ~ProcessWatch() override {
    closeFiles();
    if (watcher_ > 0) {
      ::kill(watcher_, SIGKILL);
      Reap(watcher_);
    }
  }
  ProcessWatch(const ProcessWatch&) = delete;
  ProcessWatch& operator=(const ProcessWatch&) = delete;

 private:
  void readStatus() {
    char* into = reinterpret_cast<char*>(&ended_) + have_;
    const ssize_t k = ::read(statusFd_, into, sizeof ended_ - have_);
    if (k < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (k > 0) have_ += static_cast<std::size_t>(k);
    if (k > 0 && have_ < sizeof ended_) return;
    finish();
  }

  void finish() {
    notifier_->setEnabled(false);
    EarlyEnd e;
    if (have_ == sizeof ended_ && ended_.running == 0) {
      if (WIFSIGNALED(ended_.status)) {
        e.state = EarlyEnd::State::Killed;
        e.code = WTERMSIG(ended_.status);
      } else {
        e.state = EarlyEnd::State::Exited;
        e.code = WEXITSTATUS(ended_.status);
      }
      e.errorOutput = FileTail(errorFd_, &e.errorOutputCut);
    }
    closeFiles();
    reapWatcher();
    const ProcessStart start = start_;
    const EarlyEndHandler onEnd = std::move(onEnd_);
    if (onEnd) onEnd(e);
    if (WatchObserver()) WatchObserver()(start, e);
  }

  // The watcher exits right after its last record.
  void reapWatcher() {
    int st = 0;
    const pid_t r = ::waitpid(watcher_, &st, WNOHANG);
    if (r == watcher_ || (r < 0 && errno == ECHILD)) {
      watcher_ = 0;
      deleteLater();
      return;
    }
    QTimer::singleShot(10, this, [this] { reapWatcher(); });
  }

  void closeFiles() {
    if (notifier_) notifier_->setEnabled(false);
    if (statusFd_ >= 0) ::close(statusFd_);
    if (errorFd_ >= 0) ::close(errorFd_);
    statusFd_ = errorFd_ = -1;
  }

  ProcessStart start_;
  EarlyEndHandler onEnd_;
  pid_t watcher_;
  int statusFd_;
  int errorFd_;
  QSocketNotifier* notifier_ = nullptr;
  Ended ended_;
  std::size_t have_ = 0;
};

QString LaunchError(const Launched& l, const QString& program, const ProcessStart& s) {
  const QString why = QString::fromLocal8Bit(std::strerror(l.error));
  switch (l.stage) {
    case kEnterFolder: return QStringLiteral("the working folder \"%1\" cannot be entered: %2").arg(s.workingFolder, why);
    case kExec: return QStringLiteral("\"%1\" could not be run: %2").arg(program, why);
    default: return QStringLiteral("no process could be made: %1").arg(why);
  }
}

StartOutcome Launch(const ProcessStart& s, const QString& program, QObject* context, EarlyEndHandler onEnd,
                    int watchMs) {
  const bool watching = context != nullptr;
  Prepared p;
  p.program = QFile::encodeName(program);
  p.folder = QFile::encodeName(s.workingFolder);
  p.arguments.push_back(p.program);
  for (const QString& a : s.arguments) p.arguments.push_back(a.toLocal8Bit());
  for (QByteArray& a : p.arguments) p.argv.push_back(a.data());
  p.argv.push_back(nullptr);
  if (rlimit r{}; ::getrlimit(RLIMIT_NOFILE, &r) == 0 && r.rlim_cur != RLIM_INFINITY)
    p.highestFd = static_cast<int>(std::min<rlim_t>(r.rlim_cur, 65536));

  const int nullInput = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  const int errorOutput = watching ? OpenUnnamedFile() : -1;
  int status[2];
  if (nullInput < 0 || ::pipe2(status, O_CLOEXEC) != 0) {
    const QString why = QString::fromLocal8Bit(std::strerror(errno));
    if (nullInput >= 0) ::close(nullInput);
    if (errorOutput >= 0) ::close(errorOutput);
    return Failed(QStringLiteral("no process could be made: %1").arg(why));
  }
  const pid_t watcher = ::fork();
  if (watcher == 0) {
    ::close(status[0]);
    WatchProgram(p, nullInput, errorOutput, status[1], watching ? watchMs : 0);
  }
  const int forkError = errno;
  ::close(status[1]);
  ::close(nullInput);
  Launched l;
  const bool reported = watcher > 0 && ReadAll(status[0], &l, sizeof l);
  if (watcher < 0 || !reported || l.error != 0 || !watching) {
    if (watcher > 0) Reap(watcher);
    ::close(status[0]);
    if (errorOutput >= 0) ::close(errorOutput);
    if (watcher < 0) return Failed(LaunchError({0, kFork, forkError}, program, s));
    if (!reported) return Failed(QStringLiteral("the program could not be started"));
    if (l.error != 0) return Failed(LaunchError(l, program, s));
    return {true, l.pid, {}};
  }
  new ProcessWatch(context, s, watcher, status[0], errorOutput, std::move(onEnd));
  return {true, l.pid, {}};
}

StartOutcome Start(const ProcessStart& s, QObject* context, EarlyEndHandler onEnd, int watchMs) {
  if (!s.workingFolder.isEmpty() && !QFileInfo(s.workingFolder).isDir())
    return Failed(QStringLiteral("the working folder \"%1\" does not exist").arg(s.workingFolder));
  QString program;
  if (StartOutcome r = ResolveProgram(s, &program); !r.ok) return r;
  return Launch(s, program, context, std::move(onEnd), watchMs);
}

StartOutcome Observed(const ProcessStart& start, StartOutcome r) {
  if (Observer()) Observer()(start, r);
  return r;
}

}  // namespace

StartOutcome StartDetachedProcess(const ProcessStart& start) { return Observed(start, Start(start, nullptr, {}, 0)); }

StartOutcome StartWatchedProcess(const ProcessStart& start, QObject* context, EarlyEndHandler onEnd, int watchMs) {
  return Observed(start, Start(start, context, std::move(onEnd), std::max(0, watchMs)));
}

void SetProcessStartObserver(ProcessStartObserver observer) { Observer() = std::move(observer); }

void SetProcessWatchObserver(ProcessWatchObserver observer) { WatchObserver() = std::move(observer); }

}  // namespace vendle
