// The program's side of one command: the desktop registry manager, the
// device manager when the command involves the device, the option catalogue
// built with both, as the dialog's start-up builds it, and the options' lock
// for the command's reading and writing. Which options exist is the
// catalogue's decision: it reads "ZQTTweakerAdvanced", which nothing here
// ever writes.
//
// Values are read as they are stored, with read rights where a key refuses
// more (the dialog keeps such an option at its default instead).
#pragma once

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CommandErrors.h"
#include "OptionValue.h"
#include "OptionsLock.h"
#include "RapiMngr.h"
#include "RegistryMngr.h"
#include "ZQTTweakerManager.h"

// How long a command waits for another zqttweak to finish with the options.
inline constexpr std::chrono::milliseconds kOptionsLockWait{5000};

// The catalogue row named Id; EUsageError naming Id when there is none.
const TOptionRow& OptionRow(const std::string& Id);

// Text as a value of Row's option, as its kind takes it; EConvertError
// for a text it does not take.
int ParseValue(const TOptionRow& Row, const std::string& Text);

class TTweakSession {
 public:
  // WithDevice: connects to the device first, waiting at most 2000 ms;
  // otherwise the run has the desktop's options only. Then waits at most
  // kOptionsLockWait for the options' lock: ECommandError when another
  // zqttweak kept it.
  explicit TTweakSession(bool WithDevice);

  // The device manager; null when the command does not involve the device.
  TRapiManager* Device() const { return FDevice.get(); }
  // ECommandError when no device is connected.
  void RequireDevice() const;

  // The rows whose options exist in this run (only Side's when given), in
  // the catalogue's order.
  std::vector<const TOptionRow*> ExistingRows(std::optional<TTweakOptionTarget> Side) const;
  // Why Row's option does not exist in this run.
  std::string WhyMissing(const TOptionRow& Row) const;
  // The stored value of the option named Id; ECommandError saying why
  // when it does not exist in this run.
  TOptionValue Value(const std::string& Id);
  // The stored value of every option of this run, only Side's when given.
  std::vector<TOptionValue> Values(std::optional<TTweakOptionTarget> Side = std::nullopt);
  // Writes the values as one unit, once each has been found to name an
  // option of this run; Refuse(Value, Reason) raises for one that does not,
  // and then nothing is written. An option named twice is written once, with
  // its later value. Every value is written, also one equal to the stored
  // one. When a write fails, the values written before it are put back as
  // they were read, and ECommandError names the value that failed and says
  // that nothing was changed, or names each value that could not be put back.
  template <typename TRefuse>
  void Write(const std::vector<TOptionValue>& Values, TRefuse Refuse);

 private:
  TTweakOptionItem& Loaded(const TOptionRow& Row);
  void Write(const std::vector<TTweakOptionItem*>& Options,
             const std::vector<TOptionValue>& Values);
  // After the write of Values[Failed] failed: puts the options before it
  // back to Before; what the user is told of it.
  std::string PutBack(const std::vector<TTweakOptionItem*>& Options,
                      const std::vector<TOptionValue>& Values, const std::vector<int>& Before,
                      std::size_t Failed);

  TRegistryManager FRegistry{"", "", false, HKEY_CURRENT_USER};
  std::unique_ptr<TRapiManager> FDevice;
  // Taken once the device answered or not, so that its wait holds no one up.
  TOptionsLock FLock;
  TZQTTweakOptionsManager FCatalogue;
};

template <typename TRefuse>
void TTweakSession::Write(const std::vector<TOptionValue>& Values, TRefuse Refuse) {
  std::vector<TTweakOptionItem*> Options;
  std::vector<TOptionValue> Latest;
  for (const TOptionValue& Value : Values) {
    TTweakOptionItem* Option = FCatalogue.OptionById(Value.Row->Id);
    if (!Option) Refuse(Value, WhyMissing(*Value.Row));
    const auto Found = std::find(Options.begin(), Options.end(), Option);
    if (Found != Options.end()) {
      Latest[Found - Options.begin()] = Value;
      continue;
    }
    Options.push_back(Option);
    Latest.push_back(Value);
  }
  Write(Options, Latest);
}
