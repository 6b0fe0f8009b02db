#include "PutBack.h"

#include <algorithm>

namespace {

enum class TAction { None, PutBack, Keep, Away, Failed };

struct TStep {
  const TJournalEntry* Entry;
  TStoredValues* Values = nullptr;
  TAction Action = TAction::None;
  // For a failed step: the line that says what failed, up to the reason.
  std::string Failure;
};

std::string ReadFailure(const TJournalEntry& Entry, const char* When, const std::exception& Error) {
  return "Could not read " + Entry.Id + When + DescribedValue(Entry.Before) + ": " + Error.what();
}

// What to do with an entry's value as it is now. A value missing as before,
// under keys that exist now, is the command's too: they were made for it.
TAction ActionFor(const TJournalEntry& Entry, const TStoredValue& Now) {
  if (Now == Entry.Before) return TAction::None;
  if (SameValue(Now, Entry.Written) || (!Now.Present && !Entry.Before.Present))
    return TAction::PutBack;
  return TAction::Keep;
}

TStep Decide(const TJournalEntry& Entry, const TValuesOfEntry& ValuesOf) {
  TStep Step{&Entry, ValuesOf(Entry), TAction::None, {}};
  if (!Step.Values) {
    Step.Action = TAction::Away;
    return Step;
  }
  try {
    Step.Action = ActionFor(Entry, Step.Values->Read(Entry.Key, Entry.ValueName));
  } catch (const std::exception& Error) {
    Step.Action = TAction::Failed;
    Step.Failure = ReadFailure(Entry, " to put it back to ", Error);
  }
  return Step;
}

bool Below(const std::string& Key, const std::string& Ancestor) {
  const std::string Path = PathBelowRoot(Key);
  return Path == Ancestor || Path.starts_with(Ancestor + "\\");
}

// Entry's value as it was; the keys made for it stay where a value kept as
// another program left it lives below them.
TStoredValue Target(const TStep& Step, const std::vector<TStep>& Steps) {
  TStoredValue Value = Step.Entry->Before;
  if (Value.FirstMissingKey.empty()) return Value;
  const bool KeptBelow = std::any_of(Steps.begin(), Steps.end(), [&](const TStep& Other) {
    return Other.Action == TAction::Keep && Other.Entry->Target == Step.Entry->Target &&
           Below(Other.Entry->Key, Value.FirstMissingKey);
  });
  if (KeptBelow) Value.FirstMissingKey.clear();
  return Value;
}

// Writes Value and reads it back: what failed, or nothing.
std::string Restore(const TStep& Step, const TStoredValue& Value) {
  const TJournalEntry& Entry = *Step.Entry;
  const std::string NotPut =
      "Could not put " + Entry.Id + " back to " + DescribedValue(Entry.Before) + ": ";
  try {
    Step.Values->Write(Entry.Key, Entry.ValueName, Value);
  } catch (const std::exception& Error) {
    return NotPut + Error.what();
  }
  try {
    const TStoredValue Now = Step.Values->Read(Entry.Key, Entry.ValueName);
    return Now == Value ? std::string() : NotPut + "it reads back as " + DescribedValue(Now);
  } catch (const std::exception& Error) {
    return ReadFailure(Entry, " again after putting it back to ", Error);
  }
}

}  // namespace

TPutBackResult PutBack(const std::vector<TJournalEntry>& Entries, const TValuesOfEntry& ValuesOf) {
  std::vector<TStep> Steps;
  for (auto Entry = Entries.rbegin(); Entry != Entries.rend(); ++Entry)
    Steps.push_back(Decide(*Entry, ValuesOf));
  TPutBackResult Result;
  for (TStep& Step : Steps) {
    if (Step.Action == TAction::PutBack) {
      Step.Failure = Restore(Step, Target(Step, Steps));
      if (!Step.Failure.empty()) Step.Action = TAction::Failed;
    }
    const TJournalEntry& Entry = *Step.Entry;
    if (Step.Action == TAction::Keep)
      Result.Kept += Entry.Id + " was changed by another program since: kept as it is\n";
    if (Step.Action == TAction::Failed) Result.Failed += Step.Failure + "\n";
    if (Step.Action == TAction::Away) Result.Away.insert(Result.Away.begin(), Entry);
  }
  return Result;
}
