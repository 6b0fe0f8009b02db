#include "FileAccess.h"

#include "CommandErrors.h"
#include "SystemError.h"
#include "TemporaryFiles.h"

std::string ReadRegularFile(const std::string& FileName) {
  std::string Bytes;
  const std::string Failure = ReadFileContent(FileName, Bytes);
  if (!Failure.empty()) throw ECommandError("Cannot read " + FileName + ": " + Failure);
  return Bytes;
}

void ReplaceWholeFile(const std::string& FileName, const std::string& Bytes) {
  std::string Failure = ReplaceableReason(FileName);
  if (!Failure.empty()) throw ECommandError("Cannot write " + FileName + ": " + Failure);
  const std::string Temporary = TemporaryNameBeside(FileName);
  Failure = CreateFileWith(Temporary, Bytes, FileName);
  if (Failure.empty() && !PutTemporaryInPlace(Temporary, FileName, true))
    Failure = LastSystemErrorMessage();
  if (!Failure.empty()) throw ECommandError("Cannot write " + FileName + ": " + Failure);
}
