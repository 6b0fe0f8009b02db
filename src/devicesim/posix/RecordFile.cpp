#include "RecordFile.h"

#include <fcntl.h>
#include <unistd.h>

// The file stays open: rewriting it costs two calls, not an open and a
// close, which matters for a device that counts every read of a large file.
TRecordFile::~TRecordFile() {
  if (FDescriptor >= 0) close(FDescriptor);
}

void TRecordFile::Replace(const std::string& Text) {
  if (FDescriptor < 0) FDescriptor = open(FFile.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (FDescriptor < 0) return;
  if (pwrite(FDescriptor, Text.data(), Text.size(), 0) == static_cast<ssize_t>(Text.size()))
    (void)ftruncate(FDescriptor, static_cast<off_t>(Text.size()));
}
