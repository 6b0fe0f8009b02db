// Windows: the console's control handler waits while a guard lives, then
// lets the system's own handling end the program. The system waits a few
// seconds for a handler when the console is closed: far longer than a
// command's writes take.
#include "InterruptGuard.h"

#include "WinCompat.h"

namespace {

// Set while no guard lives.
HANDLE Unguarded() {
  static const HANDLE Event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  return Event;
}

BOOL WINAPI WaitForGuard(DWORD /*ControlType*/) {
  WaitForSingleObject(Unguarded(), INFINITE);
  return FALSE;
}

}  // namespace

struct TInterruptGuard::TSystemGuard {};

TInterruptGuard::TInterruptGuard() : FSystem(std::make_unique<TSystemGuard>()) {
  static const bool Installed = SetConsoleCtrlHandler(WaitForGuard, TRUE) != 0;
  (void)Installed;
  ResetEvent(Unguarded());
}

TInterruptGuard::~TInterruptGuard() { SetEvent(Unguarded()); }
