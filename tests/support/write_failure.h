#pragma once

#include <sys/resource.h>
#include <csignal>

namespace hm::test {

// While it lives, every write that would grow or fill a file fails with EFBIG, as on a full disk.
// (A file size limit of 0; the signal that would end the process is ignored meanwhile.)
class WritesFail {
 public:
  WritesFail() {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit none = saved_;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
  }
  ~WritesFail() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  WritesFail(const WritesFail&) = delete;
  WritesFail& operator=(const WritesFail&) = delete;

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

}  // namespace hm::test
