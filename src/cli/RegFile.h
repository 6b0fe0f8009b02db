// Registry files as the system's registry editor writes them (version 5):
// the header "Windows Registry Editor Version 5.00", then [key] sections
// with "Name"=dword:0000000a lines. What a file holds, its text, its bytes
// on this system, and the reading of such files, limited to what option
// files hold: DWORD values and deletions ("Name"=-).
//
// The first comment line tells which registry a file belongs to: files of
// the device's options say so there, and a file that does not say so holds
// the desktop's.
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
  // None for a deletion.
  std::optional<DWORD> Data;
};

struct TRegFileKey {
  int Line = 0;
  // As written between the brackets: "HKEY_CURRENT_USER\Software\ZQT".
  std::string Path;
  std::vector<TRegFileValue> Values;
};

struct TRegFile {
  TTweakOptionTarget Side = TTweakOptionTarget::otDesktop;
  // The line of the comment that names the side; 0 when there is none.
  int SideLine = 0;
  std::vector<TRegFileKey> Keys;
};

// A line of a registry file that is refused, and why.
class ERegFileError : public Exception {
 public:
  ERegFileError(int Line, const std::string& Reason)
      : Exception(std::to_string(Line) + ": " + Reason), FLine(Line), FReason(Reason) {}

  int Line() const { return FLine; }
  const std::string& Reason() const { return FReason; }

 private:
  int FLine;
  std::string FReason;
};

// The file's text, with "\n" line ends.
std::string RegFileText(const TRegFile& File);

// Text as this system's registry editor writes it to disk: UTF-16LE with a
// byte-order mark and CRLF line ends on Windows, UTF-8 as it is elsewhere.
std::string RegFileBytes(const std::string& Text);

// A registry file in either encoding (UTF-16LE with its byte-order mark, or
// single-byte text, with or without a UTF-8 byte-order mark) and with either
// line ends. Comments and blank lines are passed over; a line that is
// neither, nor a key, a DWORD value or a deletion raises ERegFileError.
TRegFile ParseRegFile(const std::string& Bytes);
