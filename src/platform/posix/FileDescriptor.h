// A file descriptor that is closed when it goes, and writing all of a
// buffer through one: what the Linux code that handles files shares.
#pragma once

#include <unistd.h>

#include <cerrno>

class TDescriptor {
 public:
  explicit TDescriptor(int Handle) : FHandle(Handle) {}
  ~TDescriptor() {
    if (FHandle >= 0) close(FHandle);
  }
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;

  int Handle() const { return FHandle; }
  bool Valid() const { return FHandle >= 0; }
  // Closes now, reporting whether the last writes reached the file.
  bool Close() {
    const int Handle = FHandle;
    FHandle = -1;
    return close(Handle) == 0;
  }

 private:
  int FHandle;
};

// Writes all Size bytes, or fails with errno telling why.
inline bool WriteAll(int Handle, const char* Data, ssize_t Size) {
  while (Size > 0) {
    const ssize_t Written = write(Handle, Data, Size);
    if (Written < 0 && errno == EINTR) continue;
    if (Written <= 0) return false;
    Data += Written;
    Size -= Written;
  }
  return true;
}
