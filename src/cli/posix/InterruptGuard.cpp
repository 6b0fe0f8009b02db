// Linux: SIGINT, SIGTERM and SIGHUP are blocked while the guard lives; one
// that came meanwhile is delivered when they are unblocked again.
#include "InterruptGuard.h"

#include <signal.h>

struct TInterruptGuard::TSystemGuard {
  sigset_t Before;
};

TInterruptGuard::TInterruptGuard() : FSystem(std::make_unique<TSystemGuard>()) {
  sigset_t Requests;
  sigemptyset(&Requests);
  for (int Signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&Requests, Signal);
  sigprocmask(SIG_BLOCK, &Requests, &FSystem->Before);
}

TInterruptGuard::~TInterruptGuard() { sigprocmask(SIG_SETMASK, &FSystem->Before, nullptr); }
