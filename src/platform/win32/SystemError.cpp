// Windows: the system's message for GetLastError, in the user's language.
#include "SystemError.h"

#include "WinCompat.h"

std::string LastSystemErrorMessage() { return SystemErrorMessage(GetLastError()); }

std::string SystemErrorMessage(LONG Error) {
  char Text[512];
  const DWORD Length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, Error, 0, Text, sizeof(Text), nullptr);
  if (Length == 0) return "system error " + std::to_string(static_cast<DWORD>(Error));
  std::string Message(Text, Length);
  while (!Message.empty() &&
         (static_cast<unsigned char>(Message.back()) <= ' ' || Message.back() == '.'))
    Message.pop_back();
  return Message;
}
