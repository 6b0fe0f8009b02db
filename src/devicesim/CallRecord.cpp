#include "CallRecord.h"

#include <chrono>
#include <fstream>

#include "DeviceFolder.h"

namespace {

// Nanoseconds of the monotonic clock, which every process shares.
std::int64_t MonotonicNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Replaces File's content with Text. The file is open only meanwhile, so
// that the device folder can go whenever the device is not being called.
void WriteFile(const std::filesystem::path& File, const std::string& Text) {
  std::ofstream(File, std::ios::binary | std::ios::trunc) << Text;
}

}  // namespace

TCallRecord::TCallRecord(const std::filesystem::path& DeviceFolder) : FFolder(DeviceFolder) {}

void TCallRecord::Count(std::string_view EntryPoint) {
  if (FFolder.empty()) return;
  auto Found = FCounts.find(EntryPoint);
  if (Found == FCounts.end()) Found = FCounts.emplace(std::string(EntryPoint), 0).first;
  ++Found->second;
  std::string Text;
  for (const auto& [Name, Calls] : FCounts) Text += Name + ' ' + std::to_string(Calls) + '\n';
  WriteFile(FFolder / kCallCountsFile, Text);
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
  WriteFile(FFolder / kConnectionTimesFile, Text);
}
