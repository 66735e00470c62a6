// SIGTERM and SIGINT become a callback on the GUI thread: the signal handler
// only writes a byte to a pipe (the one async-signal-safe way), and a socket
// notifier reads it in the event loop.
#pragma once

#include <functional>
#include <memory>

namespace vendle {

class SignalPipe {
 public:
  explicit SignalPipe(std::function<void(int signal)> onSignal);
  ~SignalPipe();
  SignalPipe(const SignalPipe&) = delete;
  SignalPipe& operator=(const SignalPipe&) = delete;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace vendle
