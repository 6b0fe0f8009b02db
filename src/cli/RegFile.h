// Registry files as the system's registry editor writes them (version 5):
// the header "Windows Registry Editor Version 5.00", then [key] sections
// with "Name"=dword:0000000a lines and values of every other type. What a
// file holds, its text, its bytes on this system, and the reading of such
// files.
//
// Files of the device's options begin with a header of their own, which the
// system's registry editor refuses, so that it never writes them into the
// desktop's registry; otherwise they are written alike. A file may also name
// its registry in its first comment line, as earlier files of the device
// did; a file that does neither belongs to the registry it is imported to.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Exception.h"
#include "TweakOptionsMngr.h"
#include "WinCompat.h"

struct TRegFileValue {
  int Line = 0;
  // Without its quotes and escapes; empty for the key's unnamed value,
  // which the file writes as @.
  std::string Name;
  // A DWORD value's number; none for a deletion ("Name"=-) and for a value
  // of another type.
  std::optional<DWORD> Data;
  // The data of a value of another type as the file writes it after "="
  // ("\"text\"", "hex(2):25,00"), its continuation lines joined; empty for a
  // DWORD value and a deletion.
  std::string OtherData;

  bool IsDeletion() const { return !Data && OtherData.empty(); }
};

struct TRegFileKey {
  int Line = 0;
  // As written between the brackets: "HKEY_CURRENT_USER\Software\ZQT".
  std::string Path;
  std::vector<TRegFileValue> Values;
};

struct TRegFile {
  // The registry the file says it belongs to; none when it does not say.
  std::optional<TTweakOptionTarget> Side;
  // The line that says so; 0 when none does.
  int SideLine = 0;
  std::vector<TRegFileKey> Keys;
};

// A registry file that is refused, and why: at a line, or (Line 0) as a
// whole.
class ERegFileError : public Exception {
 public:
  ERegFileError(int Line, const std::string& Reason)
      : Exception(Line > 0 ? std::to_string(Line) + ": " + Reason : Reason),
        FLine(Line),
        FReason(Reason) {}

  int Line() const { return FLine; }
  const std::string& Reason() const { return FReason; }

 private:
  int FLine;
  std::string FReason;
};

// The file's text, with "\n" line ends.
std::string RegFileText(const TRegFile& File);

// A value's name as the file writes it: in quotes, with backslash escapes,
// or @ for the unnamed value.
std::string QuotedName(const std::string& Name);

// Text as this system's registry editor writes it to disk: UTF-16LE with a
// byte-order mark and CRLF line ends on Windows, UTF-8 as it is elsewhere.
std::string RegFileBytes(const std::string& Text);

// What the reading of a registry file finds, told in the file's order.
class TRegFileSink {
 public:
  virtual ~TRegFileSink() = default;
  // The file says at Line that it belongs to Side.
  virtual void Side(TTweakOptionTarget Side, int Line) = 0;
  // A key's section begins (Key.Values is empty); the values that follow
  // are its own.
  virtual void Key(const TRegFileKey& Key) = 0;
  virtual void Value(const TRegFileValue& Value) = 0;
};

// Reads a registry file in either encoding (UTF-16LE with its byte-order
// mark, or single-byte text, with or without a UTF-8 byte-order mark) and
// with either line ends, in one pass, telling Sink what it finds. Comments
// and blank lines are passed over; a line that is neither, nor a key, nor a
// value as the registry editor writes values (a deletion, a DWORD, a
// string, hex data continued over lines ending in "\"), and a key deletion,
// raise ERegFileError.
void ReadRegFile(const std::string& Bytes, TRegFileSink& Sink);
// The whole file, as ReadRegFile reads it.
TRegFile ParseRegFile(const std::string& Bytes);
