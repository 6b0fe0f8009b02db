// How the values a command wrote are put back: a value is put back only
// where it is still exactly what the command wrote, so that whatever another
// program wrote since stays; and it is read again afterwards, so that a value
// counts as put back only when every byte is as it was.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CommandJournal.h"

// The stored values an entry's value is in; none when they cannot be
// reached now (a device value, and that device is not the one connected).
using TValuesOfEntry = std::function<TStoredValues*(const TJournalEntry&)>;

struct TPutBackResult {
  // The entries that could not be reached, in their order.
  std::vector<TJournalEntry> Away;
  // A line for each value changed by another program since, kept as it is.
  std::string Kept;
  // A line for each value that could not be put back.
  std::string Failed;
};

// Puts Entries back, last first.
TPutBackResult PutBack(const std::vector<TJournalEntry>& Entries, const TValuesOfEntry& ValuesOf);
