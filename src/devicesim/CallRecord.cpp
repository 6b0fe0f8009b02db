#include "CallRecord.h"

#include <chrono>

#include "DeviceFolder.h"

namespace {

// Nanoseconds of the monotonic clock, which every process shares.
std::int64_t MonotonicNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

TCallRecord::TCallRecord(const std::filesystem::path& DeviceFolder)
    : FFolder(DeviceFolder),
      FCountsFile(DeviceFolder / kCallCountsFile),
      FTimesFile(DeviceFolder / kConnectionTimesFile),
      FRecordSizeFile(DeviceFolder / kInitRecordSizeFile) {}

void TCallRecord::Count(std::string_view EntryPoint) {
  if (FFolder.empty()) return;
  auto Found = FCounts.find(EntryPoint);
  if (Found == FCounts.end()) Found = FCounts.emplace(std::string(EntryPoint), 0).first;
  ++Found->second;
  std::string Text;
  for (const auto& [Name, Calls] : FCounts) Text += Name + ' ' + std::to_string(Calls) + '\n';
  FCountsFile.Replace(Text);
}

void TCallRecord::ConnectionRequested(std::optional<std::uint32_t> RecordSize) {
  FRequested = MonotonicNow();
  FEnded.reset();
  WriteTimes();
  if (FFolder.empty()) return;
  FRecordSizeFile.Replace(RecordSize ? std::to_string(*RecordSize) + '\n' : std::string());
}

void TCallRecord::ConnectionEnded() {
  FEnded = MonotonicNow();
  WriteTimes();
}

void TCallRecord::WriteTimes() {
  if (FFolder.empty()) return;
  std::string Text;
  if (FRequested) Text += "CeRapiInitEx " + std::to_string(*FRequested) + '\n';
  if (FEnded) Text += "CeRapiUninit " + std::to_string(*FEnded) + '\n';
  FTimesFile.Replace(Text);
}
