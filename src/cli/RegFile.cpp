#include "RegFile.h"

#include <cstdio>
#include <string_view>

#include "StringUtils.h"
#include "miniUtils.h"

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kDesktopMarker = "ZQTTweaker: options of the desktop";
constexpr std::string_view kDeviceMarker = "ZQTTweaker: options of the device";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kDwordPrefix = "dword:";
constexpr std::size_t kDwordDigits = 8;
constexpr WCHAR kReplacementCharacter = 0xFFFD;

std::string SideComment(TTweakOptionTarget Side) {
  if (Side == TTweakOptionTarget::otDevice)
    return "; " + std::string(kDeviceMarker) +
           " (zqttweak --import-device FILE), not for a registry editor";
  return "; " + std::string(kDesktopMarker) + " (zqttweak --import FILE)";
}

std::string QuotedName(const std::string& Name) {
  if (Name.empty()) return "@";
  std::string Quoted = "\"";
  for (char Character : Name) {
    if (Character == '\\' || Character == '"') Quoted += '\\';
    Quoted += Character;
  }
  return Quoted + '"';
}

std::string DataText(const std::optional<DWORD>& Data) {
  if (!Data) return "-";
  char Text[32];
  std::snprintf(Text, sizeof(Text), "dword:%08x", static_cast<unsigned>(*Data));
  return Text;
}

// UTF-16LE after its byte-order mark; a last odd byte becomes a
// replacement character.
std::string TextOfUtf16(std::string_view Bytes) {
  WideString Wide;
  for (std::size_t Index = 0; Index + 1 < Bytes.size(); Index += 2)
    Wide.push_back(static_cast<WCHAR>(static_cast<unsigned char>(Bytes[Index]) |
                                      static_cast<unsigned char>(Bytes[Index + 1]) << 8));
  if (Bytes.size() % 2 != 0) Wide.push_back(kReplacementCharacter);
  return WideToAnsi(Wide, CP_ACP);
}

std::string DecodedText(std::string_view Bytes) {
  if (Bytes.starts_with(kUtf16Mark)) return TextOfUtf16(Bytes.substr(kUtf16Mark.size()));
  if (Bytes.starts_with(kUtf8Mark)) Bytes.remove_prefix(kUtf8Mark.size());
  return std::string(Bytes);
}

// The lines without their line ends, LF or CRLF.
std::vector<std::string> LinesOf(const std::string& Text) {
  std::vector<std::string> Lines;
  std::size_t Start = 0;
  while (Start <= Text.size()) {
    std::size_t End = Text.find('\n', Start);
    if (End == std::string::npos) End = Text.size();
    std::string Line = Text.substr(Start, End - Start);
    if (!Line.empty() && Line.back() == '\r') Line.pop_back();
    Lines.push_back(std::move(Line));
    Start = End + 1;
  }
  return Lines;
}

bool StartsWithNoCase(std::string_view Text, std::string_view Prefix) {
  return Text.size() >= Prefix.size() &&
         AnsiSameText(std::string(Text.substr(0, Prefix.size())), std::string(Prefix));
}

bool IsHexDigits(std::string_view Digits) {
  return !Digits.empty() &&
         Digits.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

[[noreturn]] void RaiseMalformed(int Line) { throw ERegFileError(Line, "malformed line"); }

// The quoted name at the start of Text, or @; Text is left after it.
std::string ParseName(std::string_view& Text, int Line) {
  if (Text.starts_with('@')) {
    Text.remove_prefix(1);
    return std::string();
  }
  if (!Text.starts_with('"')) RaiseMalformed(Line);
  std::string Name;
  for (std::size_t Index = 1; Index < Text.size(); ++Index) {
    if (Text[Index] == '"') {
      Text.remove_prefix(Index + 1);
      return Name;
    }
    if (Text[Index] == '\\' && ++Index == Text.size()) break;
    Name += Text[Index];
  }
  RaiseMalformed(Line);
}

DWORD ParseDword(std::string_view Digits, int Line) {
  if (!IsHexDigits(Digits)) RaiseMalformed(Line);
  const std::size_t Significant = Digits.find_first_not_of('0');
  if (Significant != std::string_view::npos && Digits.size() - Significant > kDwordDigits)
    throw ERegFileError(Line, "dword:" + std::string(Digits) + " is out of range");
  return static_cast<DWORD>(std::stoul(std::string(Digits), nullptr, 16));
}

TRegFileValue ParseValue(std::string_view Text, int Line) {
  TRegFileValue Value{Line, ParseName(Text, Line), std::nullopt};
  if (!Text.starts_with('=')) RaiseMalformed(Line);
  Text.remove_prefix(1);
  if (Text == "-") return Value;
  if (StartsWithNoCase(Text, kDwordPrefix)) {
    Value.Data = ParseDword(Text.substr(kDwordPrefix.size()), Line);
    return Value;
  }
  if (Text.starts_with('"') || StartsWithNoCase(Text, "hex"))
    throw ERegFileError(Line, QuotedName(Value.Name) + " is not a DWORD value");
  RaiseMalformed(Line);
}

TRegFileKey ParseKey(std::string_view Text, int Line) {
  if (Text.size() < 3 || !Text.ends_with(']')) RaiseMalformed(Line);
  if (Text[1] == '-') throw ERegFileError(Line, "deleting a key is not accepted");
  return {Line, std::string(Text.substr(1, Text.size() - 2)), {}};
}

class TRegFileReader {
 public:
  void ReadLine(const std::string& Text, int Line) {
    if (Text.empty()) return;
    if (Text.find('\0') != std::string::npos) RaiseMalformed(Line);
    if (Text.starts_with(';')) {
      ReadComment(Text, Line);
    } else if (Text.starts_with('[')) {
      FFile.Keys.push_back(ParseKey(Text, Line));
    } else if (!FFile.Keys.empty()) {
      FFile.Keys.back().Values.push_back(ParseValue(Text, Line));
    } else if (Text.starts_with('"') || Text.starts_with('@')) {
      throw ERegFileError(Line, "a value outside any key");
    } else {
      RaiseMalformed(Line);
    }
  }
  TRegFile File() const { return FFile; }

 private:
  // The first comment line may name the file's side.
  void ReadComment(const std::string& Text, int Line) {
    if (FCommentSeen) return;
    FCommentSeen = true;
    const std::string Comment = Trim(Text.substr(1));
    if (Comment.starts_with(kDeviceMarker)) {
      FFile.Side = TTweakOptionTarget::otDevice;
      FFile.SideLine = Line;
    } else if (Comment.starts_with(kDesktopMarker)) {
      FFile.SideLine = Line;
    }
  }

  TRegFile FFile;
  bool FCommentSeen = false;
};

}  // namespace

std::string RegFileText(const TRegFile& File) {
  std::string Text = std::string(kHeader) + "\n\n" + SideComment(File.Side) + "\n\n";
  for (const TRegFileKey& Key : File.Keys) {
    Text += "[" + Key.Path + "]\n";
    for (const TRegFileValue& Value : Key.Values)
      Text += QuotedName(Value.Name) + "=" + DataText(Value.Data) + "\n";
    Text += "\n";
  }
  return Text;
}

TRegFile ParseRegFile(const std::string& Bytes) {
  const std::vector<std::string> Lines = LinesOf(DecodedText(Bytes));
  if (Trim(Lines.front()) != kHeader)
    throw ERegFileError(1, "the first line is not \"" + std::string(kHeader) + "\"");
  TRegFileReader Reader;
  for (std::size_t Index = 1; Index < Lines.size(); ++Index)
    Reader.ReadLine(Trim(Lines[Index]), static_cast<int>(Index) + 1);
  return Reader.File();
}
