// Windows: a named mutex in the session's namespace. A holder that ended
// without letting it go leaves it abandoned, and the next one takes it.
#include "OptionsLock.h"

#include "SystemError.h"
#include "WinCompat.h"

namespace {

constexpr char kMutexName[] = "Local\\ZQTTweaker zqttweak options";

}  // namespace

struct TOptionsLock::TSystemLock {
  HANDLE Mutex = nullptr;
  bool Owned = false;
  ~TSystemLock() {
    if (Owned) ReleaseMutex(Mutex);
    if (Mutex) CloseHandle(Mutex);
  }
};

TOptionsLock::TOptionsLock(std::chrono::milliseconds Wait, TLockMode /*Mode*/)
    : FSystem(std::make_unique<TSystemLock>()) {
  FSystem->Mutex = CreateMutexA(nullptr, FALSE, kMutexName);
  if (!FSystem->Mutex) {
    FFailure = std::string(kMutexName) + ": " + LastSystemErrorMessage();
    return;
  }
  const DWORD Result = WaitForSingleObject(FSystem->Mutex, static_cast<DWORD>(Wait.count()));
  if (Result == WAIT_FAILED) FFailure = std::string(kMutexName) + ": " + LastSystemErrorMessage();
  FHeld = FSystem->Owned = Result == WAIT_OBJECT_0 || Result == WAIT_ABANDONED;
}

TOptionsLock::~TOptionsLock() = default;
