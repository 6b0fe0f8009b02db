// The program's side of one command: the desktop registry manager, the
// device manager when the command involves the device, and the option
// catalogue built with both, as the dialog's start-up builds it. Which
// options exist is the catalogue's decision: it reads "ZQTTweakerAdvanced",
// which nothing here ever writes.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Exception.h"
#include "OptionValue.h"
#include "RapiMngr.h"
#include "RegistryMngr.h"
#include "ZQTTweakerManager.h"

// A command that cannot be carried out as asked.
class ECommandError : public Exception {
 public:
  using Exception::Exception;
};

// The catalogue row named Id; ECommandError "Unknown option: " and Id when
// there is none.
const TOptionRow& OptionRow(const std::string& Id);

// Text as a value of Row's option: an integer as the program converts
// integers (EConvertError otherwise), or a Boolean from 0, 1, true or false.
int ParseValue(const TOptionRow& Row, const std::string& Text);

class TTweakSession {
 public:
  // WithDevice: connects to the device first, waiting at most 2000 ms;
  // otherwise the run has the desktop's options only.
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
  // The current value of the option named Id; ECommandError saying why
  // when it does not exist in this run.
  TOptionValue Value(const std::string& Id);
  // The current value of every option of this run, only Side's when given.
  std::vector<TOptionValue> Values(std::optional<TTweakOptionTarget> Side = std::nullopt);
  // Writes the values, once each has been found to name an option of this
  // run; Refuse(Value, Reason) raises for one that does not, and then
  // nothing is written. A value equal to the stored one is not written.
  template <typename TRefuse>
  void Write(const std::vector<TOptionValue>& Values, TRefuse Refuse);

 private:
  TTweakOptionItem& Loaded(const TOptionRow& Row);
  void Write(const std::vector<TTweakOptionItem*>& Options,
             const std::vector<TOptionValue>& Values);

  TRegistryManager FRegistry{"", "", false, HKEY_CURRENT_USER};
  std::unique_ptr<TRapiManager> FDevice;
  TZQTTweakOptionsManager FCatalogue;
};

template <typename TRefuse>
void TTweakSession::Write(const std::vector<TOptionValue>& Values, TRefuse Refuse) {
  std::vector<TTweakOptionItem*> Options;
  for (const TOptionValue& Value : Values) {
    TTweakOptionItem* Option = FCatalogue.OptionById(Value.Row->Id);
    if (!Option) Refuse(Value, WhyMissing(*Value.Row));
    Options.push_back(Option);
  }
  Write(Options, Values);
}
