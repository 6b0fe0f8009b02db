// What a simulated device records for whoever watches it from outside: how
// often each entry point was called, when the latest connection request and
// the uninitialisation after it came, and the size of the record that request
// came with. Each file is made of lines of one width, a name and a number at
// fixed places, so that a new number takes the place of the old one without
// the file changing length; a line that holds nothing is blank.
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
  struct TCounter {
    std::uint64_t Calls = 0;
    // Its line in the file.
    std::size_t Line = 0;
  };

  bool FRecording;
  TRecordFile FCountsFile;
  TRecordFile FTimesFile;
  TRecordFile FRecordSizeFile;
  std::map<std::string, TCounter, std::less<>> FCounts;
};
