// A POSIX file descriptor owned by one scope: closed when the scope ends,
// unless closed before to see what the close reports.
#pragma once

#include <unistd.h>

namespace vendle {

class UniqueFd {
 public:
  explicit UniqueFd(int fd) : fd_(fd) {}
  ~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int get() const { return fd_; }
  // Closes now; false with errno set when the close reports an error.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

}  // namespace vendle
