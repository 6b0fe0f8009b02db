// Windows: UTF-16LE after a byte-order mark, with CRLF line ends, as the
// registry editor writes its files.
#include "RegFile.h"
#include "miniUtils.h"

std::string RegFileBytes(const std::string& Text) {
  std::string WithCrlf;
  for (char Character : Text) {
    if (Character == '\n') WithCrlf += '\r';
    WithCrlf += Character;
  }
  std::string Bytes = "\xFF\xFE";
  for (WCHAR Unit : AnsiToWide(WithCrlf, CP_ACP)) {
    Bytes += static_cast<char>(Unit & 0xFF);
    Bytes += static_cast<char>(Unit >> 8);
  }
  return Bytes;
}
