#include "TweakSession.h"

#include "InterruptGuard.h"
#include "PutBack.h"
#include "UserInteraction.h"

namespace {

using enum TTweakOptionTarget;

bool NeedsDevice(const TOptionRow& Row) {
  return Row.Condition == TOptionCondition::Connected ||
         Row.Condition == TOptionCondition::ConnectedAndAdvanced;
}

int ValueOf(const TTweakOptionItem& Option) { return Option.Kind().Value(Option); }

void SetValueOf(TTweakOptionItem& Option, int Value) { Option.Kind().SetValue(Option, Value); }

bool AnyOnDevice(const std::vector<TJournalEntry>& Entries) {
  for (const TJournalEntry& Entry : Entries)
    if (Entry.Target == otDevice) return true;
  return false;
}

// The ids of Entries, for a message.
std::string IdsOf(const std::vector<TJournalEntry>& Entries) {
  std::string Ids;
  for (const TJournalEntry& Entry : Entries) Ids += (Ids.empty() ? "" : ", ") + Entry.Id;
  return Ids;
}

// The identity of Device, or none when it is not connected or cannot be
// read: then no entry of a device is its.
std::optional<std::string> IdentityOf(TRapiManager* Device) {
  if (!Device || !Device->Connected()) return std::nullopt;
  try {
    return Device->Identity();
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

constexpr const char* kDropJournal = "zqttweak --drop-journal";

// Lock, let go first, is taken again in Mode.
void LockOptions(std::optional<TOptionsLock>& Lock, TLockMode Mode) {
  Lock.reset();
  Lock.emplace(kOptionsLockWait, Mode);
  if (!Lock->Held() && !Lock->Failure().empty())
    throw ECommandError("Cannot lock the options: " + Lock->Failure());
  if (!Lock->Held())
    throw ECommandError("Another zqttweak is changing the options: nothing was done");
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
      FDeviceValues(WithDevice ? std::make_unique<TFilteredValues>(*FDevice) : nullptr) {
  Lock(Mode);
  FJournal.emplace();
  // One command alone takes a journal back: a reader waits for the others.
  if (Mode == TLockMode::Read && FJournal->Exists()) Lock(TLockMode::Write);
  FRegistry.SetReadWhereRefused(true);
  TakeBackInterrupted();
  CheckAdvancedSwitch();
  FCatalogue.BuildOptions(&FRegistry, FDevice.get());
}

void TTweakSession::Lock(TLockMode Mode) { LockOptions(FLock, Mode); }

void TTweakSession::CheckAdvancedSwitch() {
  try {
    FDesktopValues.Read(kSettingsKey, kAdvancedValueName);
  } catch (const std::exception& Error) {
    throw ECommandError(std::string("Cannot read ") + kAdvancedValueName + ": " + Error.what());
  }
}

std::string DropJournal() {
  std::optional<TOptionsLock> Lock;
  LockOptions(Lock, TLockMode::Write);
  const TCommandJournal Journal;
  if (!Journal.Exists()) return "There is no journal to drop";
  Journal.Drop();
  return "The journal " + Journal.FileName() + " was dropped: every option stays as it is now";
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
    HoldsDword(ReadStored({Row.Id, Option.Target, Option.Key, Option.ValueName, {}, {}, {}}),
               Number);
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

const std::string& TTweakSession::DeviceIdentity() {
  RequireDevice();
  if (!FDeviceIdentity) {
    try {
      FDeviceIdentity = FDevice->Identity();
    } catch (const std::exception& Error) {
      throw ECommandError(std::string("Cannot tell which device is connected: ") + Error.what());
    }
  }
  return *FDeviceIdentity;
}

TStoredValues* TTweakSession::ValuesOf(const TJournalEntry& Entry) {
  if (Entry.Target == otDesktop) return &FDesktopValues;
  return Entry.Device == DeviceIdentity() ? &FDeviceValues->Values() : nullptr;
}

TStoredValue TTweakSession::ReadStored(const TJournalEntry& Entry) {
  if (Entry.Target == otDesktop) return FDesktopValues.Read(Entry.Key, Entry.ValueName);
  RequireDevice();
  return FDeviceValues->Values().Read(Entry.Key, Entry.ValueName);
}

void TTweakSession::CheckNotKeptForAnotherDevice(const std::vector<TJournalEntry>& Entries) const {
  for (const TJournalEntry& Entry : Entries)
    for (const TJournalEntry& Kept : FJournal->Kept())
      if (Entry.Target == otDevice && Kept.Target == otDevice && Entry.Key == Kept.Key &&
          Entry.ValueName == Kept.ValueName)
        throw ECommandError(
            "The journal " + FJournal->FileName() + " keeps the change of " + Entry.Id +
            " by an interrupted command for another device: connect that device and run any "
            "zqttweak command to take it back there, or drop the journal with " +
            kDropJournal + "\nNothing was changed.");
}

// The device's identity is read before the first write, so that the
// journal names the device of every device value.
void TTweakSession::Write(const std::vector<TJournalEntry>& Planned) {
  CheckNotKeptForAnotherDevice(Planned);
  std::vector<TJournalEntry> Entries = Planned;
  for (TJournalEntry& Entry : Entries) {
    try {
      Entry.Before = ReadStored(Entry);
      if (Entry.Target == otDevice) Entry.Device = DeviceIdentity();
    } catch (const std::exception& Error) {
      throw ECommandError("Cannot read " + Entry.Id + ": " + Error.what() +
                          "\nNothing was changed.");
    }
  }
  const TInterruptGuard Guard;
  // One value is written by one call, which ends whole or not at all.
  const bool Journaled = Entries.size() > 1;
  if (Journaled) FJournal->Record(Entries);
  for (std::size_t Index = 0; Index < Entries.size(); ++Index) {
    try {
      TStoredValues* Values = ValuesOf(Entries[Index]);
      Values->Write(Entries[Index].Key, Entries[Index].ValueName, Entries[Index].Written);
    } catch (const std::exception& Error) {
      const std::vector<TJournalEntry> Written(Entries.begin(), Entries.begin() + Index + 1);
      const TPutBackResult Result =
          PutBack(Written, [this](const TJournalEntry& Entry) { return ValuesOf(Entry); });
      if (Result.Failed.empty() && Journaled) FJournal->Remove();
      if (!Result.Failed.empty() && !Journaled) FJournal->Record(Written);
      throw ECommandError(
          "Could not write " + Entries[Index].Id + ": " + Error.what() + "\n" + Result.Kept +
          (Result.Failed.empty() ? "Nothing was changed."
                                 : Result.Failed + "The journal " + FJournal->FileName() +
                                       " keeps them: the next zqttweak puts them back first."));
    }
  }
  if (Journaled) FJournal->Remove();
}

// A device that only the journal needs is reached for it alone: the
// command's own options stay as the command asked for them. The entries of
// a device other than the one connected stay in the journal.
void TTweakSession::TakeBackInterrupted() {
  const std::optional<std::vector<TJournalEntry>> Entries = FJournal->Find();
  if (!Entries) return;
  std::unique_ptr<TRapiManager> JournalDevice;
  if (AnyOnDevice(*Entries) && !FDevice) JournalDevice = std::make_unique<TRapiManager>();
  TRapiManager* Device = FDevice ? FDevice.get() : JournalDevice.get();
  const std::optional<std::string> Identity = IdentityOf(Device);
  std::optional<TFilteredValues> DeviceValues;
  if (Identity) DeviceValues.emplace(*Device);
  const TValuesOfEntry ValuesOf = [&](const TJournalEntry& Entry) -> TStoredValues* {
    if (Entry.Target == otDesktop) return &FDesktopValues;
    return Identity && Entry.Device == *Identity ? &DeviceValues->Values() : nullptr;
  };
  const TInterruptGuard Guard;
  const TPutBackResult Result = PutBack(*Entries, ValuesOf);
  if (!Result.Failed.empty())
    throw ECommandError(
        "An earlier command was interrupted, and not all of its changes could be "
        "taken back:\n" +
        Result.Kept + Result.Failed + "The journal " + FJournal->FileName() +
        " keeps them: the next zqttweak puts them back first.");
  FJournal->Keep(Result.Away);
  FJournal->Remove();
  if (Result.Away.size() < Entries->size())
    UserInteraction().ShowMessage(
        "An earlier command was interrupted: its changes were taken back" +
        (Result.Kept.empty() ? "" : ", but\n" + Result.Kept.substr(0, Result.Kept.size() - 1)));
  if (!Result.Away.empty())
    UserInteraction().ShowMessage(
        "An earlier command was interrupted on a device that is not connected now: its changes "
        "of " +
        IdsOf(Result.Away) + " stay in the journal " + FJournal->FileName() +
        " until that device is connected again (or drop them with " + kDropJournal + ")");
}
