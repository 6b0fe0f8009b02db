#include "CommandJournal.h"

#include <sstream>

#include "CommandErrors.h"

namespace {

constexpr const char* kJournalHeader = "ZQTTweaker command journal 2";
constexpr const char* kDropAdvice =
    "To drop it, leaving every option as it is now: zqttweak --drop-journal";

// Bytes as hexadecimal digits after an "x", so that no field is ever empty.
std::string Hex(const std::string& Bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string Text = "x";
  for (unsigned char Byte : Bytes) {
    Text += kDigits[Byte >> 4];
    Text += kDigits[Byte & 0xF];
  }
  return Text;
}

int HexDigit(char Digit) {
  if (Digit >= '0' && Digit <= '9') return Digit - '0';
  if (Digit >= 'a' && Digit <= 'f') return Digit - 'a' + 10;
  return -1;
}

bool FromHex(const std::string& Text, std::string& Bytes) {
  if (Text.empty() || Text[0] != 'x' || Text.size() % 2 != 1) return false;
  Bytes.clear();
  for (std::size_t Index = 1; Index < Text.size(); Index += 2) {
    const int High = HexDigit(Text[Index]);
    const int Low = HexDigit(Text[Index + 1]);
    if (High < 0 || Low < 0) return false;
    Bytes += static_cast<char>(High << 4 | Low);
  }
  return true;
}

void WriteValue(std::ostream& Text, const TStoredValue& Value) {
  Text << ' ' << Hex(Value.FirstMissingKey) << ' ' << (Value.Present ? 1 : 0) << ' ' << Value.Type
       << ' ' << Hex(Value.Data);
}

bool ReadValue(std::istream& Fields, TStoredValue& Value) {
  std::string Missing, Data;
  int Present = -1;
  unsigned long Type = 0;
  if (!(Fields >> Missing >> Present >> Type >> Data) || (Present != 0 && Present != 1))
    return false;
  Value.Present = Present == 1;
  Value.Type = static_cast<DWORD>(Type);
  return FromHex(Missing, Value.FirstMissingKey) && FromHex(Data, Value.Data);
}

bool ReadEntry(const std::string& Line, TJournalEntry& Entry) {
  std::istringstream Fields(Line);
  std::string Id, Key, Name, Device, Rest;
  int Target = -1;
  if (!(Fields >> Id >> Target >> Key >> Name) || !ReadValue(Fields, Entry.Before) ||
      !ReadValue(Fields, Entry.Written) || !(Fields >> Device) || Fields >> Rest ||
      (Target != 0 && Target != 1))
    return false;
  Entry.Target = static_cast<TTweakOptionTarget>(Target);
  return FromHex(Id, Entry.Id) && FromHex(Key, Entry.Key) && FromHex(Name, Entry.ValueName) &&
         FromHex(Device, Entry.Device);
}

}  // namespace

std::string DescribedValue(const TStoredValue& Value) {
  int Number = 0;
  if (!Value.Present) return "missing";
  if (HoldsDword(Value, Number)) return std::to_string(Number);
  return "its value of type " + std::to_string(Value.Type) + " (" +
         std::to_string(Value.Data.size()) + " bytes)";
}

namespace {

// What a damaged journal holds, a line each: the entries that could be
// read, and how many lines could not.
std::string Holdings(const std::vector<TJournalEntry>& Entries, int Unreadable) {
  std::string Text = "; it holds:\n";
  for (const TJournalEntry& Entry : Entries)
    Text += "  " + Entry.Id + ": " + DescribedValue(Entry.Before) + " before, " +
            DescribedValue(Entry.Written) + " written\n";
  if (Unreadable > 0)
    Text += "  " + std::to_string(Unreadable) +
            (Unreadable == 1 ? " line that cannot be read\n" : " lines that cannot be read\n");
  return Text;
}

[[noreturn]] void RaiseJournalError(const std::string& What, const std::string& FileName,
                                    const std::string& Reason) {
  throw ECommandError(What + " " + FileName + ": " + Reason);
}

}  // namespace

std::string JournalText(const std::vector<TJournalEntry>& Entries) {
  std::ostringstream Text;
  Text << kJournalHeader << '\n';
  for (const TJournalEntry& Entry : Entries) {
    Text << Hex(Entry.Id) << ' ' << static_cast<int>(Entry.Target) << ' ' << Hex(Entry.Key) << ' '
         << Hex(Entry.ValueName);
    WriteValue(Text, Entry.Before);
    WriteValue(Text, Entry.Written);
    Text << ' ' << Hex(Entry.Device) << '\n';
  }
  Text << "end\n";
  return Text.str();
}

// A journal ends with its "end" line: one without it was not written whole.
std::vector<TJournalEntry> JournalEntries(const std::string& Text) {
  std::istringstream Lines(Text);
  std::string Line;
  if (!std::getline(Lines, Line) || Line != kJournalHeader)
    throw ECommandError(std::string("it is not a zqttweak journal.\n") + kDropAdvice);
  std::vector<TJournalEntry> Entries;
  int Unreadable = 0;
  bool Ended = false;
  while (std::getline(Lines, Line)) {
    TJournalEntry Entry;
    if (Line == "end" && !Ended)
      Ended = true;
    else if (!Ended && ReadEntry(Line, Entry))
      Entries.push_back(std::move(Entry));
    else
      ++Unreadable;
  }
  if (Ended && Unreadable == 0) return Entries;
  throw ECommandError(std::string(Ended ? "it is damaged" : "it was not written whole") +
                      Holdings(Entries, Unreadable) + kDropAdvice);
}

TCommandJournal::TCommandJournal() {
  std::string Failure;
  FFileName = JournalFileName(Failure);
  if (!Failure.empty()) throw ECommandError("Cannot keep the command's journal: " + Failure);
}

bool TCommandJournal::Exists() const {
  bool Found = false;
  std::string Bytes;
  ReadJournalFile(FFileName, Found, Bytes);
  return Found;
}

std::optional<std::vector<TJournalEntry>> TCommandJournal::Find() const {
  bool Found = false;
  std::string Bytes;
  const std::string Failure = ReadJournalFile(FFileName, Found, Bytes);
  if (!Failure.empty())
    RaiseJournalError("Cannot read", FFileName,
                      Failure + (Found ? std::string(".\n") + kDropAdvice : ""));
  if (!Found) return std::nullopt;
  try {
    return JournalEntries(Bytes);
  } catch (const ECommandError& Error) {
    RaiseJournalError("Cannot read", FFileName, Error.what());
  }
}

void TCommandJournal::Record(const std::vector<TJournalEntry>& Entries) const {
  std::vector<TJournalEntry> All = FKept;
  All.insert(All.end(), Entries.begin(), Entries.end());
  const std::string Failure = WriteJournalFile(FFileName, JournalText(All));
  if (!Failure.empty()) throw ECommandError("Cannot write " + Failure);
}

void TCommandJournal::Remove() const {
  if (FKept.empty())
    Drop();
  else
    Record({});
}

void TCommandJournal::Drop() const {
  const std::string Failure = RemoveJournalFile(FFileName);
  if (!Failure.empty()) RaiseJournalError("Cannot remove", FFileName, Failure);
}
