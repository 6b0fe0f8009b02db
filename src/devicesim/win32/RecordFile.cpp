#include "RecordFile.h"

#include <algorithm>
#include <fstream>
#include <string>

// An open file would keep its folder from being removed, so the file is
// open only while it is written.
struct TRecordFile::TState {
  std::filesystem::path File;
  std::string Text;

  void Write() const { std::ofstream(File, std::ios::binary | std::ios::trunc) << Text; }
};

TRecordFile::TRecordFile(std::filesystem::path File) : FState(std::make_unique<TState>()) {
  FState->File = std::move(File);
}

TRecordFile::~TRecordFile() = default;

std::size_t TRecordFile::Length() const { return FState->Text.size(); }

void TRecordFile::Append(std::string_view Text) {
  FState->Text += Text;
  FState->Write();
}

void TRecordFile::Overwrite(std::size_t Offset, std::string_view Text) {
  std::string& Current = FState->Text;
  if (Offset >= Current.size()) return;
  const std::size_t Count = std::min(Text.size(), Current.size() - Offset);
  Current.replace(Offset, Count, Text.substr(0, Count));
  FState->Write();
}
