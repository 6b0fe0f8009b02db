// The lock every zqttweak of the user holds around a command's reading and
// writing of the options, so that two commands at once end in the whole
// result of one of them. On Windows a named mutex of the user's session; on
// Linux a lock on the file "<registry store>.lock" beside the desktop
// registry store. The dialog does not take it.
#pragma once

#include <chrono>
#include <memory>
#include <string>

// A command that only reads shares the lock with others that only read; one
// that writes holds it alone. (The Windows mutex is held alone by every
// command.)
enum class TLockMode { Read, Write };

class TOptionsLock {
 public:
  // Waits at most Wait for the lock.
  explicit TOptionsLock(std::chrono::milliseconds Wait, TLockMode Mode = TLockMode::Write);
  // Lets the lock go.
  ~TOptionsLock();
  TOptionsLock(const TOptionsLock&) = delete;
  TOptionsLock& operator=(const TOptionsLock&) = delete;

  // Whether the command may go on: the lock is held, or a reader needs none
  // (on Linux: the lock file is missing and its folder cannot be written, so
  // no writer can hold it either). False when another holder kept it all
  // the wait, or the lock could not be asked for (see Failure).
  bool Held() const { return FHeld; }
  // Why the lock could not be asked for, with the system's reason; empty
  // when it could.
  const std::string& Failure() const { return FFailure; }

 private:
  struct TSystemLock;
  std::unique_ptr<TSystemLock> FSystem;
  bool FHeld = false;
  std::string FFailure;
};
