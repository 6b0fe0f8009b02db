// The Win32 file functions a desktop copy needs, with the rules of Windows:
// CopyFileA keeps the source's last-write time, refuses to copy a file onto
// itself and removes a target it created when the copy fails; MoveFileExA
// replaces only when told to, and never a folder. CopyFileA copies inside the
// kernel, the bytes never passing through the program, wherever the file
// systems let it. A failure leaves its reason in errno.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "FileDescriptor.h"
#include "WinCompat.h"

namespace {

constexpr DWORD kKnownMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

// What the kernel is asked to copy at a time: any file in a few calls.
constexpr std::size_t kKernelCopyChunk = std::size_t{1} << 30;

enum class TKernelCopy { Copied, Refused, Failed };

// Copies the rest of From to To inside the kernel. Refused: the file systems
// would not, and nothing was copied.
TKernelCopy CopyInKernel(int From, int To) {
  for (bool Started = false;;) {
    const ssize_t Count = copy_file_range(From, nullptr, To, nullptr, kKernelCopyChunk, 0);
    if (Count == 0) return TKernelCopy::Copied;
    if (Count > 0) {
      Started = true;
      continue;
    }
    if (errno == EINTR) continue;
    return Started ? TKernelCopy::Failed : TKernelCopy::Refused;
  }
}

bool CopyThroughBuffer(int From, int To) {
  char Buffer[64 * 1024];
  for (;;) {
    const ssize_t Count = read(From, Buffer, sizeof(Buffer));
    if (Count < 0 && errno == EINTR) continue;
    if (Count < 0) return false;
    if (Count == 0) return true;
    if (!WriteAll(To, Buffer, Count)) return false;
  }
}

bool IsSameFile(const char* FileName, const struct stat& Source) {
  struct stat Info;
  return stat(FileName, &Info) == 0 && Info.st_dev == Source.st_dev && Info.st_ino == Source.st_ino;
}

// Opens the target, creating it unless FailIfExists finds it there; Created
// tells whether the file is new, and so whether a failed copy removes it.
// Neither end waits on a pipe: anything but a regular file is refused.
int OpenTarget(const char* FileName, mode_t Mode, bool FailIfExists, bool& Created) {
  const int Handle = open(FileName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, Mode);
  Created = Handle >= 0;
  if (Created || FailIfExists || errno != EEXIST) return Handle;
  return open(FileName, O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
}

// A file that gives its size as 0 may still have content, as the system's
// own files do: only reading it tells.
bool CopyContent(int From, const struct stat& Info, int To) {
  if (Info.st_size > 0) {
    const TKernelCopy Result = CopyInKernel(From, To);
    if (Result != TKernelCopy::Refused) return Result == TKernelCopy::Copied;
  }
  return CopyThroughBuffer(From, To);
}

bool CopyOpenFile(int Source, const struct stat& Info, int Target) {
  const struct timespec Times[2] = {Info.st_atim, Info.st_mtim};
  return CopyContent(Source, Info, Target) && futimens(Target, Times) == 0;
}

bool SyncFile(const char* FileName, int Flags) {
  TDescriptor File(open(FileName, Flags | O_CLOEXEC));
  return File.Valid() && fsync(File.Handle()) == 0;
}

std::string FolderOf(const char* FileName) {
  const std::filesystem::path Folder = std::filesystem::path(FileName).parent_path();
  return Folder.empty() ? "." : Folder.string();
}

// A refusal of the function's own, with errno telling why, as after a
// failed system call.
BOOL FailWith(int Error) {
  errno = Error;
  return FALSE;
}

}  // namespace

extern "C" BOOL CopyFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists) {
  if (!lpExistingFileName || !lpNewFileName) return FALSE;
  TDescriptor Source(open(lpExistingFileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat Info;
  if (!Source.Valid() || fstat(Source.Handle(), &Info) != 0) return FALSE;
  if (!S_ISREG(Info.st_mode) || IsSameFile(lpNewFileName, Info))
    return FailWith(S_ISDIR(Info.st_mode) ? EISDIR : EINVAL);
  bool Created = false;
  TDescriptor Target(OpenTarget(lpNewFileName, Info.st_mode & 0777, bFailIfExists, Created));
  if (!Target.Valid()) return FALSE;
  const bool Copied = CopyOpenFile(Source.Handle(), Info, Target.Handle());
  if (Target.Close() && Copied) return TRUE;
  if (Created) unlink(lpNewFileName);
  return FALSE;
}

// With MOVEFILE_WRITE_THROUGH the file's content and its new name are on the
// disk when the call returns.
extern "C" BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags) {
  if (!lpExistingFileName || !lpNewFileName || (dwFlags & ~kKnownMoveFlags) != 0) return FALSE;
  const bool WriteThrough = (dwFlags & MOVEFILE_WRITE_THROUGH) != 0;
  if (WriteThrough && !SyncFile(lpExistingFileName, O_RDONLY)) return FALSE;
  struct stat Target;
  if (stat(lpNewFileName, &Target) == 0 && S_ISDIR(Target.st_mode)) return FailWith(EISDIR);
  const unsigned Rule = (dwFlags & MOVEFILE_REPLACE_EXISTING) ? 0 : RENAME_NOREPLACE;
  if (renameat2(AT_FDCWD, lpExistingFileName, AT_FDCWD, lpNewFileName, Rule) != 0) return FALSE;
  return !WriteThrough || SyncFile(FolderOf(lpNewFileName).c_str(), O_RDONLY | O_DIRECTORY);
}

extern "C" BOOL DeleteFileA(LPCSTR lpFileName) {
  return lpFileName && unlink(lpFileName) == 0 ? TRUE : FALSE;
}
