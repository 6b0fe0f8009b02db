// The behaviour a simulated device is told through its settings folder.
// Each setting is read when it is needed, so a test may change it between
// two calls.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

struct TConnectBehaviour {
  enum class TMode { Answer, Never, Refuse, Fail };
  TMode Mode = TMode::Answer;
  // How long after the request an answering device answers.
  std::chrono::milliseconds Delay{0};
};

class TDeviceSettings {
 public:
  // DeviceFolder empty: there is no device, and nothing ever answers.
  explicit TDeviceSettings(const std::filesystem::path& DeviceFolder);

  TConnectBehaviour Connect() const;
  bool RefusesRegistryWrites() const;
  bool FailsRegistryReads() const;
  std::optional<std::uint64_t> ReadsFailAfter() const;
  // UTF-8.
  std::string TempPath() const;

 private:
  // The setting's text without surrounding blanks; none when it is not set.
  std::optional<std::string> Value(const char* Setting) const;

  std::filesystem::path FFolder;
};
