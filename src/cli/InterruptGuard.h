// While a guard lives, a request to end the program (Ctrl-C, SIGTERM,
// SIGHUP, closing the console) waits: the program ends as asked once the
// guard goes, so that a command's writes and their put-back are never cut
// in the middle.
#pragma once

#include <memory>

class TInterruptGuard {
 public:
  TInterruptGuard();
  // Lets a request that came meanwhile end the program now.
  ~TInterruptGuard();
  TInterruptGuard(const TInterruptGuard&) = delete;
  TInterruptGuard& operator=(const TInterruptGuard&) = delete;

 private:
  struct TSystemGuard;
  std::unique_ptr<TSystemGuard> FSystem;
};
