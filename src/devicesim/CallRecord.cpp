#include "CallRecord.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>

#include "DeviceFolder.h"

namespace {

// Nanoseconds of the monotonic clock, which every process shares.
std::int64_t MonotonicNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Writes Text over the start of File; the caller makes sure the file was
// never longer.
void WriteOver(int File, const std::string& Text) {
  if (File >= 0) (void)!pwrite(File, Text.data(), Text.size(), 0);
}

int OpenEmptied(const std::filesystem::path& File) {
  return open(File.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

}  // namespace

TCallRecord::TCallRecord(const std::filesystem::path& DeviceFolder) : FFolder(DeviceFolder) {}

TCallRecord::~TCallRecord() {
  if (FCountsFile >= 0) close(FCountsFile);
}

void TCallRecord::Count(std::string_view EntryPoint) {
  if (FFolder.empty()) return;
  auto Found = FCounts.find(EntryPoint);
  if (Found == FCounts.end()) Found = FCounts.emplace(std::string(EntryPoint), 0).first;
  ++Found->second;
  // Counts only grow and names are only added, so the text never gets
  // shorter and writing it over the old one is enough.
  if (FCountsFile < 0) FCountsFile = OpenEmptied(FFolder / kCallCountsFile);
  std::string Text;
  for (const auto& [Name, Calls] : FCounts) Text += Name + ' ' + std::to_string(Calls) + '\n';
  WriteOver(FCountsFile, Text);
}

void TCallRecord::ConnectionRequested() {
  FRequested = MonotonicNow();
  FEnded.reset();
  WriteTimes();
}

void TCallRecord::ConnectionEnded() {
  FEnded = MonotonicNow();
  WriteTimes();
}

void TCallRecord::WriteTimes() const {
  if (FFolder.empty()) return;
  std::string Text;
  if (FRequested) Text += "CeRapiInitEx " + std::to_string(*FRequested) + '\n';
  if (FEnded) Text += "CeRapiUninit " + std::to_string(*FEnded) + '\n';
  int File = OpenEmptied(FFolder / kConnectionTimesFile);
  WriteOver(File, Text);
  if (File >= 0) close(File);
}
