#include "CallRecord.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>

#include "DeviceFolder.h"

namespace {

// A name (the longest entry point's and a blank), then a number right-aligned
// in room for any 64-bit one, then the line's end.
constexpr std::size_t kNameWidth = 20;
constexpr std::size_t kNumberWidth = 20;
using TLine = std::array<char, kNameWidth + kNumberWidth + 1>;

// The lines of the connection times.
constexpr std::size_t kRequestLine = 0;
constexpr std::size_t kUninitLine = 1;

TLine BlankLine() {
  TLine Line;
  Line.fill(' ');
  Line.back() = '\n';
  return Line;
}

TLine LineOf(std::string_view Name, std::int64_t Number) {
  TLine Line = BlankLine();
  std::copy_n(Name.begin(), std::min(Name.size(), kNameWidth - 1), Line.begin());
  char Digits[kNumberWidth];
  const char* const End = std::to_chars(std::begin(Digits), std::end(Digits), Number).ptr;
  std::copy(std::cbegin(Digits), End, Line.end() - 1 - (End - Digits));
  return Line;
}

std::string_view TextOf(const TLine& Line) { return {Line.data(), Line.size()}; }

// Puts Line at line Index of File, which gets blank lines up to it first.
void PutLine(TRecordFile& File, std::size_t Index, const TLine& Line) {
  std::string Missing;
  for (std::size_t Next = File.Length() / Line.size(); Next <= Index; ++Next)
    Missing += TextOf(BlankLine());
  if (!Missing.empty()) File.Append(Missing);
  File.Overwrite(Index * Line.size(), TextOf(Line));
}

// Nanoseconds of the monotonic clock, which every process shares.
std::int64_t MonotonicNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

TCallRecord::TCallRecord(const std::filesystem::path& DeviceFolder)
    : FRecording(!DeviceFolder.empty()),
      FCountsFile(DeviceFolder / kCallCountsFile),
      FTimesFile(DeviceFolder / kConnectionTimesFile),
      FRecordSizeFile(DeviceFolder / kInitRecordSizeFile) {}

void TCallRecord::Count(std::string_view EntryPoint) {
  if (!FRecording) return;
  auto Found = FCounts.find(EntryPoint);
  if (Found == FCounts.end())
    Found = FCounts.emplace(std::string(EntryPoint), TCounter{0, FCounts.size()}).first;
  TCounter& Counter = Found->second;
  ++Counter.Calls;
  PutLine(FCountsFile, Counter.Line, LineOf(EntryPoint, static_cast<std::int64_t>(Counter.Calls)));
}

void TCallRecord::ConnectionRequested(std::optional<std::uint32_t> RecordSize) {
  if (!FRecording) return;
  PutLine(FTimesFile, kRequestLine, LineOf("CeRapiInitEx", MonotonicNow()));
  PutLine(FTimesFile, kUninitLine, BlankLine());
  PutLine(FRecordSizeFile, 0, RecordSize ? LineOf("", *RecordSize) : BlankLine());
}

void TCallRecord::ConnectionEnded() {
  if (!FRecording) return;
  PutLine(FTimesFile, kUninitLine, LineOf("CeRapiUninit", MonotonicNow()));
}
