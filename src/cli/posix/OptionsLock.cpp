// Linux: flock on "<registry store>.lock", which is created when missing (at
// the store's default place, with the folders leading to it, as the store
// creates them). The lock ends with the descriptor, also when the holder
// dies.
#include "OptionsLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <thread>

#include "RegistryHandles.h"
#include "SystemError.h"

namespace {

// How often a held lock is asked for again while waiting.
constexpr std::chrono::milliseconds kRetryInterval{10};

std::string LockFileName() {
  const std::string Store = DesktopRegistryStore()->FileName();
  if (Store == DefaultDesktopRegistryFile()) {
    std::error_code Ignored;
    std::filesystem::create_directories(std::filesystem::path(Store).parent_path(), Ignored);
  }
  return Store + ".lock";
}

}  // namespace

struct TOptionsLock::TSystemLock {
  int Handle = -1;
  ~TSystemLock() {
    if (Handle >= 0) close(Handle);
  }
};

TOptionsLock::TOptionsLock(std::chrono::milliseconds Wait, TLockMode /*Mode*/)
    : FSystem(std::make_unique<TSystemLock>()) {
  const std::string FileName = LockFileName();
  FSystem->Handle = open(FileName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (FSystem->Handle < 0) {
    FFailure = FileName + ": " + LastSystemErrorMessage();
    return;
  }
  const auto Deadline = std::chrono::steady_clock::now() + Wait;
  while (flock(FSystem->Handle, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      FFailure = FileName + ": " + LastSystemErrorMessage();
      return;
    }
    if (std::chrono::steady_clock::now() >= Deadline) return;
    std::this_thread::sleep_for(kRetryInterval);
  }
  FHeld = true;
}

TOptionsLock::~TOptionsLock() = default;
