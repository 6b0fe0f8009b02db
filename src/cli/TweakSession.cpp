#include "TweakSession.h"

namespace {

bool NeedsDevice(const TOptionRow& Row) {
  return Row.Condition == TOptionCondition::Connected ||
         Row.Condition == TOptionCondition::ConnectedAndAdvanced;
}

int ValueOf(const TTweakOptionItem& Option) { return Option.Kind().Value(Option); }

void SetValueOf(TTweakOptionItem& Option, int Value) { Option.Kind().SetValue(Option, Value); }

}  // namespace

const TOptionRow& OptionRow(const std::string& Id) {
  for (const TOptionRow& Row : OptionRows())
    if (Id == Row.Id) return Row;
  throw EUsageError("unknown option id '" + Id + "'");
}

int ParseValue(const TOptionRow& Row, const std::string& Text) { return Row.Kind->Parse(Text); }

TTweakSession::TTweakSession(bool WithDevice)
    : FDevice(WithDevice ? std::make_unique<TRapiManager>() : nullptr), FLock(kOptionsLockWait) {
  if (!FLock.Held() && !FLock.Failure().empty())
    throw ECommandError("Cannot lock the options: " + FLock.Failure());
  if (!FLock.Held())
    throw ECommandError("Another zqttweak is changing the options: nothing was done");
  FRegistry.SetReadWhereRefused(true);
  FCatalogue.BuildOptions(&FRegistry, FDevice.get());
}

void TTweakSession::RequireDevice() const {
  if (!FDevice || !FDevice->Connected()) throw ECommandError("No device is connected");
}

std::vector<const TOptionRow*> TTweakSession::ExistingRows(
    std::optional<TTweakOptionTarget> Side) const {
  std::vector<const TOptionRow*> Rows;
  for (const TOptionRow& Row : OptionRows())
    if ((!Side || Row.Target == *Side) && FCatalogue.OptionById(Row.Id)) Rows.push_back(&Row);
  return Rows;
}

std::string TTweakSession::WhyMissing(const TOptionRow& Row) const {
  if (NeedsDevice(Row) && !(FDevice && FDevice->Connected()))
    return std::string("Option ") + Row.Id + " is kept on the device, and no device is connected";
  return std::string("Option ") + Row.Id +
         " is an advanced option: it exists once ZQTTweaker has been started with "
         "/AdvancedOptions";
}

TTweakOptionItem& TTweakSession::Loaded(const TOptionRow& Row) {
  TTweakOptionItem* Option = FCatalogue.OptionById(Row.Id);
  if (!Option) throw ECommandError(WhyMissing(Row));
  Option->Load(&FRegistry, FDevice.get());
  return *Option;
}

TOptionValue TTweakSession::Value(const std::string& Id) {
  const TOptionRow& Row = OptionRow(Id);
  return {&Row, ValueOf(Loaded(Row))};
}

std::vector<TOptionValue> TTweakSession::Values(std::optional<TTweakOptionTarget> Side) {
  std::vector<TOptionValue> Values;
  for (const TOptionRow* Row : ExistingRows(Side)) Values.push_back({Row, ValueOf(Loaded(*Row))});
  return Values;
}

void TTweakSession::Write(const std::vector<TTweakOptionItem*>& Options,
                          const std::vector<TOptionValue>& Values) {
  std::vector<int> Before;
  for (TTweakOptionItem* Option : Options) {
    Option->Load(&FRegistry, FDevice.get());
    Before.push_back(ValueOf(*Option));
  }
  for (std::size_t Index = 0; Index < Options.size(); ++Index) {
    try {
      SetValueOf(*Options[Index], Values[Index].Value);
      Options[Index]->Write(&FRegistry, FDevice.get());
    } catch (const std::exception& Error) {
      throw ECommandError(std::string("Could not write ") + Values[Index].Row->Id + ": " +
                          Error.what() + "\n" + PutBack(Options, Values, Before, Index));
    }
  }
}

std::string TTweakSession::PutBack(const std::vector<TTweakOptionItem*>& Options,
                                   const std::vector<TOptionValue>& Values,
                                   const std::vector<int>& Before, std::size_t Failed) {
  std::string NotPutBack;
  for (std::size_t Index = Failed; Index-- > 0;) {
    try {
      SetValueOf(*Options[Index], Before[Index]);
      Options[Index]->Write(&FRegistry, FDevice.get());
    } catch (const std::exception& Error) {
      NotPutBack += std::string("Could not put ") + Values[Index].Row->Id + " back to " +
                    std::to_string(Before[Index]) + ", it is " +
                    std::to_string(Values[Index].Value) + " now: " + Error.what() + "\n";
    }
  }
  if (NotPutBack.empty()) return "Nothing was changed.";
  NotPutBack.pop_back();
  return NotPutBack;
}
