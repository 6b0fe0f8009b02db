#include "TemporaryFolder.h"

#include <fstream>
#include <random>
#include <sstream>

TTemporaryFolder::TTemporaryFolder() {
  std::random_device Seed;
  std::mt19937_64 Random(Seed());
  do {
    FPath = std::filesystem::temp_directory_path() / ("zqt-test-" + std::to_string(Random()));
  } while (!std::filesystem::create_directory(FPath));
}

TTemporaryFolder::~TTemporaryFolder() {
  std::error_code Ignored;
  std::filesystem::remove_all(FPath, Ignored);
}

std::string ReadWholeFile(const std::string& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  std::ostringstream Content;
  Content << In.rdbuf();
  return Content.str();
}

void WriteWholeFile(const std::string& FileName, const std::string& Content) {
  std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
  Out << Content;
}
