#include "RegFile.h"

#include <charconv>
#include <cstdio>
#include <string_view>

#include "StringUtils.h"
#include "miniUtils.h"

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kDeviceHeader = "ZQTTweaker Device Options Version 1.00";
constexpr std::string_view kDesktopMarker = "ZQTTweaker: options of the desktop";
constexpr std::string_view kDeviceMarker = "ZQTTweaker: options of the device";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kDwordPrefix = "dword:";
constexpr std::string_view kHexPrefix = "hex";
constexpr std::size_t kDwordDigits = 8;
// The type of a hex value is a DWORD in hexadecimal.
constexpr std::size_t kTypeDigits = 8;
constexpr std::size_t kByteDigits = 2;
constexpr WCHAR kReplacementCharacter = 0xFFFD;

std::string SideComment(TTweakOptionTarget Side) {
  if (Side == TTweakOptionTarget::otDevice)
    return "; " + std::string(kDeviceMarker) +
           " (zqttweak --import-device FILE), not for a registry editor";
  return "; " + std::string(kDesktopMarker) + " (zqttweak --import FILE)";
}

std::string DataText(const TRegFileValue& Value) {
  if (!Value.Data) return Value.IsDeletion() ? "-" : Value.OtherData;
  char Text[32];
  std::snprintf(Text, sizeof(Text), "dword:%08x", static_cast<unsigned>(*Value.Data));
  return Text;
}

// UTF-16LE after its byte-order mark; a last odd byte becomes a
// replacement character.
std::string TextOfUtf16(std::string_view Bytes) {
  WideString Wide;
  Wide.reserve(Bytes.size() / 2 + 1);
  for (std::size_t Index = 0; Index + 1 < Bytes.size(); Index += 2)
    Wide.push_back(static_cast<WCHAR>(static_cast<unsigned char>(Bytes[Index]) |
                                      static_cast<unsigned char>(Bytes[Index + 1]) << 8));
  if (Bytes.size() % 2 != 0) Wide.push_back(kReplacementCharacter);
  return WideToAnsi(Wide, CP_ACP);
}

// The file's text: single-byte text as it is, without a UTF-8 byte-order
// mark; UTF-16 converted into Converted.
std::string_view DecodedText(std::string_view Bytes, std::string& Converted) {
  if (Bytes.starts_with(kUtf16Mark)) {
    Converted = TextOfUtf16(Bytes.substr(kUtf16Mark.size()));
    return Converted;
  }
  if (Bytes.starts_with(kUtf8Mark)) Bytes.remove_prefix(kUtf8Mark.size());
  return Bytes;
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
  DWORD Number = 0;
  std::from_chars(Digits.data(), Digits.data() + Digits.size(), Number, 16);
  return Number;
}

// "text" with backslash escapes, and nothing after its closing quote.
bool IsStringData(std::string_view Text) {
  if (!Text.starts_with('"')) return false;
  for (std::size_t Index = 1; Index < Text.size(); ++Index) {
    if (Text[Index] == '\\')
      ++Index;
    else if (Text[Index] == '"')
      return Index + 1 == Text.size();
  }
  return false;
}

// hex:01,02 or hex(N):01,02, where N is a type in hexadecimal; no bytes at
// all is an empty value.
bool IsHexData(std::string_view Text) {
  if (!StartsWithNoCase(Text, kHexPrefix)) return false;
  Text.remove_prefix(kHexPrefix.size());
  if (Text.starts_with('(')) {
    const std::size_t Close = Text.find(')');
    if (Close == std::string_view::npos || Close - 1 > kTypeDigits ||
        !IsHexDigits(Text.substr(1, Close - 1)))
      return false;
    Text.remove_prefix(Close + 1);
  }
  if (!Text.starts_with(':')) return false;
  Text.remove_prefix(1);
  while (!Text.empty()) {
    const std::size_t Comma = Text.find(',');
    const std::string_view Byte = Text.substr(0, Comma);
    if (Byte.size() > kByteDigits || !IsHexDigits(Byte)) return false;
    Text.remove_prefix(Comma == std::string_view::npos ? Text.size() : Comma + 1);
    if (Comma != std::string_view::npos && Text.empty()) return false;
  }
  return true;
}

TRegFileValue ParseValue(std::string_view Text, int Line) {
  TRegFileValue Value{Line, ParseName(Text, Line), std::nullopt, {}};
  if (!Text.starts_with('=')) RaiseMalformed(Line);
  Text.remove_prefix(1);
  if (Text == "-") return Value;
  if (StartsWithNoCase(Text, kDwordPrefix)) {
    Value.Data = ParseDword(Text.substr(kDwordPrefix.size()), Line);
    return Value;
  }
  if (!IsStringData(Text) && !IsHexData(Text)) RaiseMalformed(Line);
  Value.OtherData = Text;
  return Value;
}

// Whether Text is a value line whose hex data goes on in the next line.
bool ContinuesHexData(std::string_view Text, int Line) {
  if (!Text.ends_with('\\')) return false;
  ParseName(Text, Line);
  return Text.starts_with('=') && StartsWithNoCase(Text.substr(1), kHexPrefix);
}

TRegFileKey ParseKey(std::string_view Text, int Line) {
  if (Text.size() < 3 || !Text.ends_with(']')) RaiseMalformed(Line);
  if (Text[1] == '-') throw ERegFileError(Line, "deleting a key is not accepted");
  return {Line, std::string(Text.substr(1, Text.size() - 2)), {}};
}

class TRegFileReader {
 public:
  explicit TRegFileReader(TRegFileSink& Sink) : FSink(Sink) {}

  // Line 1, the header: the registry editor's, or the one of device files.
  void ReadHeader(std::string_view Text) {
    if (Text == kDeviceHeader)
      NameSide(TTweakOptionTarget::otDevice, 1);
    else if (Text != kHeader)
      throw ERegFileError(1, "the first line is not \"" + std::string(kHeader) + "\"");
  }

  void ReadLine(std::string_view Text, int Line) {
    if (!FContinued.empty()) return ReadContinuation(Text);
    if (Text.empty()) return;
    if (Text.find('\0') != std::string_view::npos) RaiseMalformed(Line);
    if (Text.starts_with(';')) {
      ReadComment(Text, Line);
    } else if (Text.starts_with('[')) {
      FSink.Key(ParseKey(Text, Line));
      FInKey = true;
    } else if (!FInKey) {
      if (Text.starts_with('"') || Text.starts_with('@'))
        throw ERegFileError(Line, "a value outside any key");
      RaiseMalformed(Line);
    } else if (ContinuesHexData(Text, Line)) {
      FContinued = Text.substr(0, Text.size() - 1);
      FContinuedLine = Line;
    } else {
      FSink.Value(ParseValue(Text, Line));
    }
  }

  void Finish() const {
    if (!FContinued.empty()) RaiseMalformed(FContinuedLine);
  }

 private:
  void NameSide(TTweakOptionTarget Side, int Line) {
    FSideNamed = true;
    FSink.Side(Side, Line);
  }

  // The first comment line may name the file's side, unless its header did.
  void ReadComment(std::string_view Text, int Line) {
    if (FCommentSeen) return;
    FCommentSeen = true;
    if (FSideNamed) return;
    const std::string_view Comment = TrimmedView(Text.substr(1));
    if (Comment.starts_with(kDeviceMarker))
      NameSide(TTweakOptionTarget::otDevice, Line);
    else if (Comment.starts_with(kDesktopMarker))
      NameSide(TTweakOptionTarget::otDesktop, Line);
  }

  // One more line of hex data; the value is complete at a line that does
  // not end in "\".
  void ReadContinuation(std::string_view Text) {
    if (Text.find('\0') != std::string_view::npos) RaiseMalformed(FContinuedLine);
    const bool GoesOn = Text.ends_with('\\');
    FContinued += GoesOn ? Text.substr(0, Text.size() - 1) : Text;
    if (GoesOn) return;
    FSink.Value(ParseValue(FContinued, FContinuedLine));
    FContinued.clear();
  }

  TRegFileSink& FSink;
  bool FInKey = false;
  bool FSideNamed = false;
  bool FCommentSeen = false;
  // A value whose hex data goes on, and its first line.
  std::string FContinued;
  int FContinuedLine = 0;
};

// Keeps the whole file.
class TRegFileCollector : public TRegFileSink {
 public:
  void Side(TTweakOptionTarget Side, int Line) override {
    FFile.Side = Side;
    FFile.SideLine = Line;
  }
  void Key(const TRegFileKey& Key) override { FFile.Keys.push_back(Key); }
  void Value(const TRegFileValue& Value) override { FFile.Keys.back().Values.push_back(Value); }

  TRegFile FFile;
};

}  // namespace

std::string RegFileText(const TRegFile& File) {
  const bool OfDevice = File.Side == TTweakOptionTarget::otDevice;
  std::string Text = std::string(OfDevice ? kDeviceHeader : kHeader) + "\n\n";
  if (File.Side) Text += SideComment(*File.Side) + "\n\n";
  for (const TRegFileKey& Key : File.Keys) {
    Text += "[" + Key.Path + "]\n";
    for (const TRegFileValue& Value : Key.Values)
      Text += QuotedName(Value.Name) + "=" + DataText(Value) + "\n";
    Text += "\n";
  }
  return Text;
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

void ReadRegFile(const std::string& Bytes, TRegFileSink& Sink) {
  std::string Converted;
  const std::string_view Text = DecodedText(Bytes, Converted);
  TRegFileReader Reader(Sink);
  int Line = 0;
  for (std::size_t Start = 0; Start <= Text.size();) {
    std::size_t End = Text.find('\n', Start);
    if (End == std::string_view::npos) End = Text.size();
    const std::string_view Content = TrimmedView(Text.substr(Start, End - Start));
    if (++Line == 1)
      Reader.ReadHeader(Content);
    else
      Reader.ReadLine(Content, Line);
    Start = End + 1;
  }
  Reader.Finish();
}

TRegFile ParseRegFile(const std::string& Bytes) {
  TRegFileCollector Collector;
  ReadRegFile(Bytes, Collector);
  return std::move(Collector.FFile);
}
