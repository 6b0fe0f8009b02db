// What a command that writes options will put back if it does not end: each
// value it is about to write, as it was before. The journal is written and
// synced before the first write and removed once the command is done, so a
// command killed or stopped by a power loss meanwhile leaves it behind, and
// the next zqttweak takes its changes back before anything else.
//
// It is a file of the user's alone: beside the desktop registry store on
// Linux ("<store>.journal"), in the user's application data on Windows. A
// link or another user's file at its name is refused, never followed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "StoredValue.h"
#include "TweakOptionsMngr.h"

struct TJournalEntry {
  // The option's id, for messages.
  std::string Id;
  TTweakOptionTarget Target = TTweakOptionTarget::otDesktop;
  std::string Key;
  std::string ValueName;
  // The value before the command wrote it.
  TStoredValue Before;

  bool operator==(const TJournalEntry&) const = default;
};

// The journal's text, and the entries of a text; ECommandError for a text
// that is not a whole journal.
std::string JournalText(const std::vector<TJournalEntry>& Entries);
std::vector<TJournalEntry> JournalEntries(const std::string& Text);

class TCommandJournal {
 public:
  // The journal of this user's commands; ECommandError when it has no place.
  TCommandJournal();

  const std::string& FileName() const { return FFileName; }
  // The entries a command left behind; none when there is no journal.
  // ECommandError when the file there cannot be read or is refused.
  std::optional<std::vector<TJournalEntry>> Find() const;
  // Records Entries durably, whole or not at all; ECommandError when they
  // could not be.
  void Record(const std::vector<TJournalEntry>& Entries) const;
  // Removes the journal, durably; ECommandError when it could not be.
  void Remove() const;

 private:
  std::string FFileName;
};

// This system's part, in posix/ and win32/: where the journal lives, and its
// file written, read and removed. Each gives the system's reason for a
// failure, or nothing.
std::string JournalFileName(std::string& Failure);
std::string WriteJournalFile(const std::string& FileName, const std::string& Bytes);
// Found: whether there is a file at FileName.
std::string ReadJournalFile(const std::string& FileName, bool& Found, std::string& Bytes);
std::string RemoveJournalFile(const std::string& FileName);
