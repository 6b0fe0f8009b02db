// Files written while a TFileSizeLimit lives may grow to Limit bytes at
// most: a write past it stops short and then fails, as on a full disk,
// instead of raising SIGXFSZ. The limit holds for the whole process.
#pragma once

#include <sys/resource.h>

#include <csignal>

class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t Limit) {
    getrlimit(RLIMIT_FSIZE, &FSaved);
    FSavedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit Limited = FSaved;
    Limited.rlim_cur = Limit;
    setrlimit(RLIMIT_FSIZE, &Limited);
  }
  ~TFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &FSaved);
    std::signal(SIGXFSZ, FSavedHandler);
  }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit FSaved{};
  void (*FSavedHandler)(int) = nullptr;
};
