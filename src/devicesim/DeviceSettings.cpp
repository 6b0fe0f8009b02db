#include "DeviceSettings.h"

#include <charconv>
#include <cstdint>
#include <fstream>
#include <sstream>

#include "DeviceFolder.h"

namespace {

std::optional<std::uint64_t> NumberIn(const std::string& Text) {
  std::uint64_t Number = 0;
  auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Number);
  if (Error != std::errc() || End != Text.data() + Text.size()) return std::nullopt;
  return Number;
}

std::string Trimmed(const std::string& Text) {
  const char* const kBlanks = " \t\r\n";
  size_t First = Text.find_first_not_of(kBlanks);
  if (First == std::string::npos) return {};
  return Text.substr(First, Text.find_last_not_of(kBlanks) - First + 1);
}

}  // namespace

TDeviceSettings::TDeviceSettings(const std::filesystem::path& DeviceFolder)
    : FFolder(DeviceFolder.empty() ? DeviceFolder : DeviceFolder / kDeviceSettingsFolder) {}

std::optional<std::string> TDeviceSettings::Value(const char* Setting) const {
  if (FFolder.empty()) return std::nullopt;
  std::ifstream In(FFolder / Setting, std::ios::binary);
  if (!In) return std::nullopt;
  std::ostringstream Content;
  Content << In.rdbuf();
  return Trimmed(Content.str());
}

TConnectBehaviour TDeviceSettings::Connect() const {
  using TMode = TConnectBehaviour::TMode;
  if (FFolder.empty()) return {TMode::Never};
  std::optional<std::string> Text = Value(kConnectSetting);
  if (!Text || *Text == kConnectNow) return {TMode::Answer};
  if (*Text == kConnectNever) return {TMode::Never};
  if (*Text == kConnectRefuse) return {TMode::Refuse};
  if (*Text == kConnectFail) return {TMode::Fail};
  std::optional<std::uint64_t> Milliseconds = NumberIn(*Text);
  if (!Milliseconds) return {TMode::Answer};
  // Longer than any caller waits (about 24 days): the same as never.
  if (*Milliseconds > INT32_MAX) return {TMode::Never};
  return {TMode::Answer, std::chrono::milliseconds(*Milliseconds)};
}

bool TDeviceSettings::RefusesRegistryWrites() const {
  return Value(kRefuseRegistryWritesSetting).has_value();
}

bool TDeviceSettings::FailsRegistryReads() const {
  return Value(kFailRegistryReadsSetting).has_value();
}

std::optional<std::uint64_t> TDeviceSettings::ReadsFailAfter() const {
  std::optional<std::string> Text = Value(kFailReadsAfterSetting);
  return Text ? NumberIn(*Text) : std::nullopt;
}

std::string TDeviceSettings::TempPath() const {
  return Value(kTempPathSetting).value_or("\\Temp\\");
}
