#include "platform/signal_pipe.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace vendle {
namespace {
int g_writeFd = -1;

void OnSignal(int sig) {
  const unsigned char b = static_cast<unsigned char>(sig);
  if (g_writeFd >= 0) {
    [[maybe_unused]] ssize_t n = ::write(g_writeFd, &b, 1);
  }
}
}  // namespace

struct SignalPipe::Impl {
  int fds[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier;
  std::function<void(int)> onSignal;
  struct sigaction oldTerm {}, oldInt {};
};

SignalPipe::SignalPipe(std::function<void(int)> onSignal) : impl_(std::make_unique<Impl>()) {
  impl_->onSignal = std::move(onSignal);
  if (::pipe2(impl_->fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  g_writeFd = impl_->fds[1];
  impl_->notifier = std::make_unique<QSocketNotifier>(impl_->fds[0], QSocketNotifier::Read);
  QObject::connect(impl_->notifier.get(), &QSocketNotifier::activated, [impl = impl_.get()] {
    unsigned char b = 0;
    while (::read(impl->fds[0], &b, 1) == 1)
      if (impl->onSignal) impl->onSignal(b);
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &sa, &impl_->oldTerm);
  ::sigaction(SIGINT, &sa, &impl_->oldInt);
}

SignalPipe::~SignalPipe() {
  if (impl_->fds[1] < 0) return;
  ::sigaction(SIGTERM, &impl_->oldTerm, nullptr);
  ::sigaction(SIGINT, &impl_->oldInt, nullptr);
  g_writeFd = -1;
  impl_->notifier.reset();
  ::close(impl_->fds[0]);
  ::close(impl_->fds[1]);
}

}  // namespace vendle
