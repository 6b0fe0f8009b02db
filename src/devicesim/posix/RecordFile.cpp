#include "RecordFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace {

// What is mapped at first: more than a device's record ever needs.
constexpr std::size_t kFirstCapacity = 4096;

}  // namespace

// The file stays open and mapped while the device lives; the system lets
// its folder go all the same.
struct TRecordFile::TState {
  std::filesystem::path File;
  int Descriptor = -1;
  char* Text = nullptr;
  std::size_t Capacity = 0;
  std::size_t Length = 0;

  // An older record is blanked rather than cut short: another process may
  // still have it mapped, and its stores past a new end would kill it.
  bool Open() {
    if (Descriptor >= 0) return true;
    Descriptor = open(File.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (Descriptor < 0) return false;
    struct stat Info;
    if (fstat(Descriptor, &Info) == 0 && Info.st_size > 0 && Map(Info.st_size))
      std::memset(Text, ' ', Info.st_size);
    return true;
  }
  // Maps at least Size bytes of the file; bytes past its end are never
  // touched.
  bool Map(std::size_t Size) {
    if (Size <= Capacity) return true;
    const std::size_t NewCapacity = std::max({Size, 2 * Capacity, kFirstCapacity});
    void* Mapped = mmap(nullptr, NewCapacity, PROT_READ | PROT_WRITE, MAP_SHARED, Descriptor, 0);
    if (Mapped == MAP_FAILED) return false;
    Unmap();
    Text = static_cast<char*>(Mapped);
    Capacity = NewCapacity;
    return true;
  }
  void Unmap() {
    if (Text) munmap(Text, Capacity);
    Text = nullptr;
    Capacity = 0;
  }
};

TRecordFile::TRecordFile(std::filesystem::path File) : FState(std::make_unique<TState>()) {
  FState->File = std::move(File);
}

TRecordFile::~TRecordFile() {
  FState->Unmap();
  if (FState->Descriptor >= 0) close(FState->Descriptor);
}

std::size_t TRecordFile::Length() const { return FState->Length; }

void TRecordFile::Append(std::string_view Text) {
  TState& State = *FState;
  const std::size_t NewLength = State.Length + Text.size();
  // The blocks are allocated before they are written through the mapping,
  // where a full disk could not be reported.
  if (!State.Open() || posix_fallocate(State.Descriptor, 0, static_cast<off_t>(NewLength)) != 0 ||
      !State.Map(NewLength))
    return;
  std::memcpy(State.Text + State.Length, Text.data(), Text.size());
  State.Length = NewLength;
}

void TRecordFile::Overwrite(std::size_t Offset, std::string_view Text) {
  TState& State = *FState;
  if (Offset >= State.Length) return;
  std::memcpy(State.Text + Offset, Text.data(), std::min(Text.size(), State.Length - Offset));
}
