// The program's side of one command: the desktop registry manager, the
// device manager when the command involves the device, the option catalogue
// built with both, as the dialog's start-up builds it, and the options' lock
// for the command's reading and writing. Which options exist is the
// catalogue's decision: it reads "ZQTTweakerAdvanced", which nothing here
// ever writes.
//
// Values are read as they are stored, with read rights where a key refuses
// more, and a value that cannot be read fails the command (the dialog keeps
// such an option at its default instead). A command's writes are one unit,
// even when it is killed: see CommandJournal.h and PutBack.h.
#pragma once

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CommandErrors.h"
#include "CommandJournal.h"
#include "OptionValue.h"
#include "OptionsLock.h"
#include "RapiMngr.h"
#include "RegistryCallsFilter.h"
#include "RegistryMngr.h"
#include "ZQTTweakerManager.h"

// How long a command waits for another zqttweak to finish with the options.
inline constexpr std::chrono::milliseconds kOptionsLockWait{5000};

// The catalogue row named Id; EUsageError naming Id when there is none.
const TOptionRow& OptionRow(const std::string& Id);

// Text as a value of Row's option, as its kind takes it; EConvertError
// for a text it does not take.
int ParseValue(const TOptionRow& Row, const std::string& Text);

// Removes the journal, whatever it holds, under the options' lock, leaving
// every value as it is: what the command says.
std::string DropJournal();

class TTweakSession {
 public:
  // WithDevice: connects to the device first, waiting at most 2000 ms;
  // otherwise the run has the desktop's options only. Then waits at most
  // kOptionsLockWait for the options' lock, shared for a command that only
  // reads while there is no journal: ECommandError when another zqttweak
  // kept it. Then takes back the changes of an earlier command that was
  // interrupted, and says so: those of a device that is not connected stay
  // in the journal, with a warning. When the take-back fails, ECommandError
  // says what could not be taken back.
  TTweakSession(bool WithDevice, TLockMode Mode);

  // ECommandError when no device is connected.
  void RequireDevice() const;

  // The rows whose options exist in this run (only Side's when given), in
  // the catalogue's order.
  std::vector<const TOptionRow*> ExistingRows(std::optional<TTweakOptionTarget> Side) const;
  // Why Row's option does not exist in this run.
  std::string WhyMissing(const TOptionRow& Row) const;
  // The stored value of the option named Id: its default when the value is
  // missing or of another type, as the organizer takes it. ECommandError
  // saying why when the option does not exist in this run, or naming it with
  // the system's reason when its value cannot be read.
  TOptionValue Value(const std::string& Id);
  // The stored value of every option of this run, only Side's when given.
  std::vector<TOptionValue> Values(std::optional<TTweakOptionTarget> Side = std::nullopt);
  // Writes the values as one unit, once each has been found to name an
  // option of this run; Refuse(Value, Reason) raises for one that does not,
  // and then nothing is written; ECommandError, and nothing written, for a
  // device value that the journal keeps for another device. An option named
  // twice is written once, with its later value. Every value is written, also
  // one equal to the stored one. Before the first write, each value is read
  // as stored (a failed read writes nothing) and, when there are several,
  // recorded in the journal. When a write fails, every value written is put
  // back exactly as it was, unless another program changed it since (then it
  // is kept, and named), and ECommandError names the value that failed and
  // says that nothing was changed, or names each value that could not be put
  // back (the journal keeps those for the next command).
  template <typename TRefuse>
  void Write(const std::vector<TOptionValue>& Values, TRefuse Refuse);

 private:
  TTweakOptionItem& Existing(const TOptionRow& Row);
  int StoredValueOf(const TOptionRow& Row);
  // Waits for the options' lock in Mode; ECommandError when it is not had.
  void Lock(TLockMode Mode);
  // Fails when "ZQTTweakerAdvanced", which decides which options exist,
  // cannot be read.
  void CheckAdvancedSwitch();
  // The stored values of Entry's registry: the command's own device's only
  // when it is the one Entry names, else none.
  TStoredValues* ValuesOf(const TJournalEntry& Entry);
  // The identity of the command's own device; ECommandError when no device
  // is connected or it cannot be read.
  const std::string& DeviceIdentity();
  TStoredValue ReadStored(const TJournalEntry& Entry);
  // ECommandError for an entry whose device value the journal keeps for
  // another device.
  void CheckNotKeptForAnotherDevice(const std::vector<TJournalEntry>& Entries) const;
  void Write(const std::vector<TJournalEntry>& Entries);
  void TakeBackInterrupted();

  TRegistryManager FRegistry{"", "", false, HKEY_CURRENT_USER};
  TFilteredValues FDesktop{FRegistry};
  TStoredValues& FDesktopValues = FDesktop.Values();
  std::unique_ptr<TRapiManager> FDevice;
  std::unique_ptr<TFilteredValues> FDeviceValues;
  std::optional<std::string> FDeviceIdentity;
  // Taken once the device answered or not, so that its wait holds no one up.
  std::optional<TOptionsLock> FLock;
  std::optional<TCommandJournal> FJournal;
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
  std::vector<TJournalEntry> Entries;
  for (std::size_t Index = 0; Index < Options.size(); ++Index)
    Entries.push_back({Latest[Index].Row->Id,
                       Options[Index]->Target,
                       Options[Index]->Key,
                       Options[Index]->ValueName,
                       {},
                       DwordValue(Latest[Index].Value),
                       {}});
  Write(Entries);
}
