#include "CommandJournal.h"

#include <sstream>

#include "CommandErrors.h"

namespace {

constexpr const char* kJournalHeader = "ZQTTweaker command journal 1";

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

bool ReadEntry(const std::string& Line, TJournalEntry& Entry) {
  std::istringstream Fields(Line);
  std::string Id, Key, Name, Missing, Data;
  int Target = -1;
  int Present = -1;
  unsigned long Type = 0;
  if (!(Fields >> Id >> Target >> Key >> Name >> Missing >> Present >> Type >> Data)) return false;
  std::string Rest;
  if (Fields >> Rest || (Target != 0 && Target != 1) || (Present != 0 && Present != 1))
    return false;
  Entry.Target = static_cast<TTweakOptionTarget>(Target);
  Entry.Before.Present = Present == 1;
  Entry.Before.Type = static_cast<DWORD>(Type);
  return FromHex(Id, Entry.Id) && FromHex(Key, Entry.Key) && FromHex(Name, Entry.ValueName) &&
         FromHex(Missing, Entry.Before.FirstMissingKey) && FromHex(Data, Entry.Before.Data);
}

[[noreturn]] void RaiseJournalError(const std::string& What, const std::string& FileName,
                                    const std::string& Reason) {
  throw ECommandError(What + " " + FileName + ": " + Reason);
}

}  // namespace

std::string JournalText(const std::vector<TJournalEntry>& Entries) {
  std::ostringstream Text;
  Text << kJournalHeader << '\n';
  for (const TJournalEntry& Entry : Entries)
    Text << Hex(Entry.Id) << ' ' << static_cast<int>(Entry.Target) << ' ' << Hex(Entry.Key) << ' '
         << Hex(Entry.ValueName) << ' ' << Hex(Entry.Before.FirstMissingKey) << ' '
         << (Entry.Before.Present ? 1 : 0) << ' ' << Entry.Before.Type << ' '
         << Hex(Entry.Before.Data) << '\n';
  Text << "end\n";
  return Text.str();
}

// A journal ends with its "end" line: one without it was not written whole.
std::vector<TJournalEntry> JournalEntries(const std::string& Text) {
  std::istringstream Lines(Text);
  std::string Line;
  if (!std::getline(Lines, Line) || Line != kJournalHeader)
    throw ECommandError("it is not a zqttweak journal");
  std::vector<TJournalEntry> Entries;
  while (std::getline(Lines, Line)) {
    if (Line == "end") {
      if (Lines.peek() == std::char_traits<char>::eof()) return Entries;
      break;
    }
    TJournalEntry Entry;
    if (!ReadEntry(Line, Entry)) break;
    Entries.push_back(std::move(Entry));
  }
  throw ECommandError("it is damaged");
}

TCommandJournal::TCommandJournal() {
  std::string Failure;
  FFileName = JournalFileName(Failure);
  if (!Failure.empty()) throw ECommandError("Cannot keep the command's journal: " + Failure);
}

std::optional<std::vector<TJournalEntry>> TCommandJournal::Find() const {
  bool Found = false;
  std::string Bytes;
  const std::string Failure = ReadJournalFile(FFileName, Found, Bytes);
  if (!Failure.empty()) RaiseJournalError("Cannot read", FFileName, Failure);
  if (!Found) return std::nullopt;
  try {
    return JournalEntries(Bytes);
  } catch (const ECommandError& Error) {
    RaiseJournalError("Cannot read", FFileName, Error.what());
  }
}

void TCommandJournal::Record(const std::vector<TJournalEntry>& Entries) const {
  const std::string Failure = WriteJournalFile(FFileName, JournalText(Entries));
  if (!Failure.empty()) RaiseJournalError("Cannot write", FFileName, Failure);
}

void TCommandJournal::Remove() const {
  const std::string Failure = RemoveJournalFile(FFileName);
  if (!Failure.empty()) RaiseJournalError("Cannot remove", FFileName, Failure);
}
