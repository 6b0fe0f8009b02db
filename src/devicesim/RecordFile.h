// A small text file of the device's record, changed in place so that it is
// current whenever someone outside looks. On Linux the file is mapped into
// memory that every reader of the file shares: a change is a store into
// that memory, and only a file growing goes to the system. On Windows the
// file is rewritten whole at every change and is open only while it is
// written, so that nothing keeps its folder from being removed.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

class TRecordFile {
 public:
  // The file is created at the first Append; an older one's text is
  // blanked, which readers skip as white space.
  explicit TRecordFile(std::filesystem::path File);
  ~TRecordFile();
  TRecordFile(const TRecordFile&) = delete;
  TRecordFile& operator=(const TRecordFile&) = delete;

  std::size_t Length() const;
  void Append(std::string_view Text);
  // Puts Text in place of as many characters from Offset; nothing past the
  // end of the file is written.
  void Overwrite(std::size_t Offset, std::string_view Text);

 private:
  struct TState;
  std::unique_ptr<TState> FState;
};
