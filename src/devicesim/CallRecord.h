// What a simulated device records for whoever watches it from outside: how
// often each entry point was called, when the latest connection request and
// the uninitialisation after it came, and the size of the record that request
// came with. The files are rewritten at every call, so they are current
// whenever the caller looks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "RecordFile.h"

class TCallRecord {
 public:
  // DeviceFolder empty: nothing is recorded.
  explicit TCallRecord(const std::filesystem::path& DeviceFolder);
  TCallRecord(const TCallRecord&) = delete;
  TCallRecord& operator=(const TCallRecord&) = delete;

  void Count(std::string_view EntryPoint);
  // RecordSize: the size the caller's RAPIINIT gives itself; none without a
  // record.
  void ConnectionRequested(std::optional<std::uint32_t> RecordSize);
  void ConnectionEnded();

 private:
  void WriteTimes();

  std::filesystem::path FFolder;
  TRecordFile FCountsFile;
  TRecordFile FTimesFile;
  TRecordFile FRecordSizeFile;
  std::map<std::string, std::uint64_t, std::less<>> FCounts;
  std::optional<std::int64_t> FRequested;
  std::optional<std::int64_t> FEnded;
};
