// What a command that writes more than one value will put back if it does
// not end (one value is written by one call, whole or not at all): each value
// it is about to write, as it was before and as the command writes it,
// and for a device value the device it is on. The journal is written and
// synced before the first write and removed once the command is done, so a
// command killed or stopped by a power loss meanwhile leaves it behind, and
// the next zqttweak takes its changes back before anything else: only where
// a value is still as the command wrote it.
//
// It is a file of the user's alone: beside the desktop registry store on
// Linux ("<store>.journal"), in the user's application data on Windows. A
// link or another user's file at its name is refused, never followed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "StoredValue.h"
#include "TweakOptionsMngr.h"

// The largest journal read: far more than the entries of every option.
inline constexpr std::uint64_t kLargestJournal = 1 << 20;
inline constexpr const char* kTooLargeJournalReason = "it is larger than 1 MiB";

struct TJournalEntry {
  // The option's id, for messages.
  std::string Id;
  TTweakOptionTarget Target = TTweakOptionTarget::otDesktop;
  std::string Key;
  std::string ValueName;
  // The value before the command wrote it.
  TStoredValue Before;
  // The value as the command writes it.
  TStoredValue Written;
  // For a device value: the device's identity (see DeviceIdentity).
  std::string Device;

  bool operator==(const TJournalEntry&) const = default;
};

// A value as a message names it: "missing", its number, or its type and size.
std::string DescribedValue(const TStoredValue& Value);

// The journal's text, and the entries of a text; ECommandError for a text
// that is not a whole journal, saying what of it could be read.
std::string JournalText(const std::vector<TJournalEntry>& Entries);
std::vector<TJournalEntry> JournalEntries(const std::string& Text);

class TCommandJournal {
 public:
  // The journal of this user's commands; ECommandError when it has no place.
  TCommandJournal();

  const std::string& FileName() const { return FFileName; }
  // Whether there is a file at the journal's name.
  bool Exists() const;
  // The entries a command left behind; none when there is no journal.
  // ECommandError when the file there cannot be read or is refused.
  std::optional<std::vector<TJournalEntry>> Find() const;
  // Entries that stay in the journal whatever a command records: those of a
  // device that is away.
  void Keep(const std::vector<TJournalEntry>& Entries) { FKept = Entries; }
  const std::vector<TJournalEntry>& Kept() const { return FKept; }
  // Records the kept entries and Entries durably, whole or not at all;
  // ECommandError when they could not be.
  void Record(const std::vector<TJournalEntry>& Entries) const;
  // Removes the journal durably, or leaves only the kept entries in it;
  // ECommandError when it could not be.
  void Remove() const;
  // Removes the file at the journal's name, whatever it holds.
  void Drop() const;

 private:
  std::string FFileName;
  std::vector<TJournalEntry> FKept;
};

// This system's part, in posix/ and win32/: where the journal lives, and its
// file written, read and removed. Each gives the system's reason for a
// failure, or nothing; a failure of the file written first beside the
// journal names that file.
std::string JournalFileName(std::string& Failure);
std::string WriteJournalFile(const std::string& FileName, const std::string& Bytes);
// Found: whether there is a file at FileName. A file larger than
// kLargestJournal is refused unread.
std::string ReadJournalFile(const std::string& FileName, bool& Found, std::string& Bytes);
std::string RemoveJournalFile(const std::string& FileName);
