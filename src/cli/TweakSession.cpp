#include "TweakSession.h"

#include "InterruptGuard.h"
#include "UserInteraction.h"

namespace {

using enum TTweakOptionTarget;

bool NeedsDevice(const TOptionRow& Row) {
  return Row.Condition == TOptionCondition::Connected ||
         Row.Condition == TOptionCondition::ConnectedAndAdvanced;
}

int ValueOf(const TTweakOptionItem& Option) { return Option.Kind().Value(Option); }

void SetValueOf(TTweakOptionItem& Option, int Value) { Option.Kind().SetValue(Option, Value); }

// A value as a message names it.
std::string Described(const TStoredValue& Value) {
  int Number = 0;
  if (!Value.Present) return "missing";
  if (HoldsDword(Value, Number)) return std::to_string(Number);
  return "its value of type " + std::to_string(Value.Type) + " (" +
         std::to_string(Value.Data.size()) + " bytes)";
}

bool AnyOnDevice(const std::vector<TJournalEntry>& Entries) {
  for (const TJournalEntry& Entry : Entries)
    if (Entry.Target == otDevice) return true;
  return false;
}

}  // namespace

const TOptionRow& OptionRow(const std::string& Id) {
  for (const TOptionRow& Row : OptionRows())
    if (Id == Row.Id) return Row;
  throw EUsageError("unknown option id '" + Id + "'");
}

int ParseValue(const TOptionRow& Row, const std::string& Text) { return Row.Kind->Parse(Text); }

TTweakSession::TTweakSession(bool WithDevice, TLockMode Mode)
    : FDevice(WithDevice ? std::make_unique<TRapiManager>() : nullptr),
      FLock(kOptionsLockWait, Mode) {
  if (!FLock.Held() && !FLock.Failure().empty())
    throw ECommandError("Cannot lock the options: " + FLock.Failure());
  if (!FLock.Held())
    throw ECommandError("Another zqttweak is changing the options: nothing was done");
  FRegistry.SetReadWhereRefused(true);
  TakeBackInterrupted();
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

TTweakOptionItem& TTweakSession::Existing(const TOptionRow& Row) {
  TTweakOptionItem* Option = FCatalogue.OptionById(Row.Id);
  if (!Option) throw ECommandError(WhyMissing(Row));
  return *Option;
}

int TTweakSession::StoredValueOf(const TOptionRow& Row) {
  TTweakOptionItem& Option = Existing(Row);
  int Number = Option.Kind().DefaultValue(Option);
  try {
    HoldsDword(ReadStored({Row.Id, Option.Target, Option.Key, Option.ValueName, {}}), Number);
  } catch (const std::exception& Error) {
    throw ECommandError(std::string("Cannot read ") + Row.Id + ": " + Error.what());
  }
  SetValueOf(Option, Number);
  return ValueOf(Option);
}

TOptionValue TTweakSession::Value(const std::string& Id) {
  const TOptionRow& Row = OptionRow(Id);
  return {&Row, StoredValueOf(Row)};
}

std::vector<TOptionValue> TTweakSession::Values(std::optional<TTweakOptionTarget> Side) {
  std::vector<TOptionValue> Values;
  for (const TOptionRow* Row : ExistingRows(Side)) Values.push_back({Row, StoredValueOf(*Row)});
  return Values;
}

TRapiManager& TTweakSession::ConnectedDevice(TRapiManager* Device) const {
  if (!Device) Device = FDevice.get();
  if (!Device || !Device->Connected()) throw ECommandError("no device is connected");
  return *Device;
}

TStoredValue TTweakSession::ReadStored(const TJournalEntry& Entry, TRapiManager* Device) {
  if (Entry.Target == otDesktop) return FRegistry.ReadStoredValue(Entry.Key, Entry.ValueName);
  return ConnectedDevice(Device).ReadStoredValue(Entry.Key, Entry.ValueName);
}

void TTweakSession::WriteStored(const TJournalEntry& Entry, const TStoredValue& Value,
                                TRapiManager* Device) {
  if (Entry.Target == otDesktop) return FRegistry.WriteStoredValue(Entry.Key, Entry.ValueName, Value);
  ConnectedDevice(Device).WriteStoredValue(Entry.Key, Entry.ValueName, Value);
}

// A value already as it was is left alone: a write that failed may have
// changed nothing, and its key may refuse every write.
bool TTweakSession::IsAsBefore(const TJournalEntry& Entry, TRapiManager* Device) {
  try {
    return ReadStored(Entry, Device) == Entry.Before;
  } catch (const std::exception&) {
    return false;
  }
}

void TTweakSession::Write(const std::vector<TJournalEntry>& Planned,
                          const std::vector<TOptionValue>& Values) {
  std::vector<TJournalEntry> Entries = Planned;
  for (TJournalEntry& Entry : Entries) {
    try {
      Entry.Before = ReadStored(Entry);
    } catch (const std::exception& Error) {
      throw ECommandError("Cannot read " + Entry.Id + ": " + Error.what() +
                          "\nNothing was changed.");
    }
  }
  const TInterruptGuard Guard;
  FJournal.Record(Entries);
  for (std::size_t Index = 0; Index < Entries.size(); ++Index) {
    try {
      WriteStored(Entries[Index], DwordValue(Values[Index].Value));
    } catch (const std::exception& Error) {
      const std::vector<TJournalEntry> Written(Entries.begin(), Entries.begin() + Index + 1);
      const std::string NotPutBack = PutBack(Written);
      if (NotPutBack.empty()) FJournal.Remove();
      throw ECommandError("Could not write " + Entries[Index].Id + ": " + Error.what() + "\n" +
                          (NotPutBack.empty() ? "Nothing was changed." : NotPutBack));
    }
  }
  FJournal.Remove();
}

std::string TTweakSession::PutBack(const std::vector<TJournalEntry>& Entries,
                                   TRapiManager* Device) {
  std::string NotPutBack;
  for (auto Entry = Entries.rbegin(); Entry != Entries.rend(); ++Entry) {
    try {
      if (!IsAsBefore(*Entry, Device)) WriteStored(*Entry, Entry->Before, Device);
    } catch (const std::exception& Error) {
      NotPutBack += "Could not put " + Entry->Id + " back to " + Described(Entry->Before) + ": " +
                    Error.what() + "\n";
    }
  }
  if (NotPutBack.empty()) return NotPutBack;
  return NotPutBack + "The journal " + FJournal.FileName() +
         " keeps them: the next zqttweak puts them back first.";
}

// A device that only the journal needs is reached for it alone: the
// command's own options stay as the command asked for them.
void TTweakSession::TakeBackInterrupted() {
  const std::optional<std::vector<TJournalEntry>> Entries = FJournal.Find();
  if (!Entries) return;
  std::unique_ptr<TRapiManager> JournalDevice;
  if (AnyOnDevice(*Entries) && !FDevice) JournalDevice = std::make_unique<TRapiManager>();
  const TInterruptGuard Guard;
  const std::string NotPutBack = PutBack(*Entries, JournalDevice.get());
  if (!NotPutBack.empty())
    throw ECommandError("An earlier command was interrupted, and not all of its changes could be "
                        "taken back:\n" + NotPutBack);
  FJournal.Remove();
  UserInteraction().ShowMessage("An earlier command was interrupted: its changes were taken back");
}
