// Linux: flock on "<registry store>.lock", shared by readers and held alone by
// a writer. The file is made when missing (0600, with the folders leading to
// it where the store makes its own, as the store makes them), and opened
// only when it is the user's own regular file, never through a link. The
// lock ends with the descriptor, also when the holder dies.
#include "OptionsLock.h"

#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "PrivateFiles.h"
#include "RegistryHandles.h"
#include "StoreFiles.h"
#include "SystemError.h"

namespace {

// How often a held lock is asked for again while waiting.
constexpr std::chrono::milliseconds kRetryInterval{10};

// Whether a lock file that could not be made shows that no zqttweak can be
// writing: its folder cannot be written, or is missing and cannot be made.
bool NoWriterCanLock(int Error) {
  return Error == EACCES || Error == EPERM || Error == EROFS || Error == ENOENT;
}

// A reader opens the lock file read-only and makes it only when it is
// missing. -1 with an empty Failure: a reader that needs no lock.
int OpenLockFile(const std::string& FileName, TLockMode Mode, bool MakeFolders,
                 std::string& Failure) {
  const bool Writer = Mode == TLockMode::Write;
  if (!Writer) {
    const int Existing = OpenPrivateFile(FileName, false, false, Failure);
    if (Existing >= 0 || errno != ENOENT) return Existing;
  }
  if (MakeFolders) CreatePrivateFolders(FileName);
  const int Made = OpenPrivateFile(FileName, Writer, true, Failure);
  if (Made < 0 && !Writer && NoWriterCanLock(errno)) Failure.clear();
  return Made;
}

// Asks for the lock until it is had or Wait has passed; false with Failure
// when it cannot be asked for.
bool TakeLock(int Handle, TLockMode Mode, std::chrono::milliseconds Wait, std::string& Failure) {
  const int Operation = (Mode == TLockMode::Write ? LOCK_EX : LOCK_SH) | LOCK_NB;
  const auto Deadline = std::chrono::steady_clock::now() + Wait;
  while (flock(Handle, Operation) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) {
      Failure = LastSystemErrorMessage();
      return false;
    }
    if (std::chrono::steady_clock::now() >= Deadline) return false;
    std::this_thread::sleep_for(kRetryInterval);
  }
  return true;
}

}  // namespace

struct TOptionsLock::TSystemLock {
  int Handle = -1;
  ~TSystemLock() {
    if (Handle >= 0) close(Handle);
  }
};

TOptionsLock::TOptionsLock(std::chrono::milliseconds Wait, TLockMode Mode)
    : FSystem(std::make_unique<TSystemLock>()) {
  const std::shared_ptr<TRegistryStore> Store = DesktopRegistryStore();
  if (Store->FileName().empty()) {
    FFailure = "the user has no home folder (HOME is not set)";
    return;
  }
  const std::string FileName = StoreCompanionFile(Store->FileName(), TStoreCompanion::Lock);
  std::string Failure;
  FSystem->Handle = OpenLockFile(FileName, Mode, Store->CreatesMissingFolders(), Failure);
  if (FSystem->Handle >= 0)
    FHeld = TakeLock(FSystem->Handle, Mode, Wait, Failure);
  else
    FHeld = Failure.empty();
  if (!Failure.empty()) FFailure = FileName + ": " + Failure;
}

TOptionsLock::~TOptionsLock() = default;
