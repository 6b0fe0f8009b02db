// A small file of the device's record, rewritten whole at every change so
// that it is current whenever someone outside looks.
#pragma once

#include <filesystem>
#include <string>

class TRecordFile {
 public:
  explicit TRecordFile(std::filesystem::path File) : FFile(std::move(File)) {}
  ~TRecordFile();
  TRecordFile(const TRecordFile&) = delete;
  TRecordFile& operator=(const TRecordFile&) = delete;

  void Replace(const std::string& Text);

 private:
  std::filesystem::path FFile;
  // Where the system lets an open file's folder go, the file stays open
  // between writes; -1 while it is not open.
  int FDescriptor = -1;
};
