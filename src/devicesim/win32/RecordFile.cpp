#include "RecordFile.h"

#include <fstream>

// An open file would keep its folder from being removed, so the file is
// open only while it is written.
TRecordFile::~TRecordFile() = default;

void TRecordFile::Replace(const std::string& Text) {
  std::ofstream(FFile, std::ios::binary | std::ios::trunc) << Text;
}
