// Every executable we build carries the program's version resource, this
// test executable too.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "miniUtils.h"

namespace {

std::string OwnFileName() {
  char Name[4096];
  const DWORD Length = GetModuleFileNameA(nullptr, Name, sizeof(Name));
  return std::string(Name, Length);
}

// The version resource of this executable, as GetFileVersionInfoA gives it.
std::vector<BYTE> OwnVersionBlock() {
  const std::string FileName = OwnFileName();
  DWORD Handle = 0;
  std::vector<BYTE> Block(GetFileVersionInfoSizeA(FileName.c_str(), &Handle));
  if (!Block.empty() && !GetFileVersionInfoA(FileName.c_str(), Handle, Block.size(), Block.data()))
    Block.clear();
  return Block;
}

}  // namespace

TEST(AppVersionString, GivesTheProgramVersionCutAfterThreeParts) {
  EXPECT_EQ(AppVersionString(false, ""), "1.9.1");
  EXPECT_EQ(AppVersionString(true, ""), "1.9.1.0");
  EXPECT_EQ(AppVersionString(false, " (test)"), "1.9.1 (test)");
}

TEST(VersionResource, HoldsTheFixedFileInformationOfTheProjectVersion) {
  std::vector<BYTE> Block = OwnVersionBlock();
  ASSERT_FALSE(Block.empty());
  void* Value = nullptr;
  UINT Length = 0;
  ASSERT_TRUE(VerQueryValueA(Block.data(), "\\", &Value, &Length));
  ASSERT_EQ(Length, 13 * sizeof(DWORD));
  DWORD Fields[13];
  std::memcpy(Fields, Value, sizeof(Fields));
  EXPECT_EQ(Fields[0], 0xFEEF04BDu);  // the signature
  EXPECT_EQ(Fields[2], 0x00010009u);  // 1.9
  EXPECT_EQ(Fields[3], 0x00010000u);  // .1.0
}

TEST(VersionResource, NamesItsStringsForUsEnglishInTheWindowsLatin1CodePage) {
  std::vector<BYTE> Block = OwnVersionBlock();
  ASSERT_FALSE(Block.empty());
  void* Value = nullptr;
  UINT Length = 0;
  ASSERT_TRUE(VerQueryValueA(Block.data(), "\\VarFileInfo\\Translation", &Value, &Length));
  ASSERT_EQ(Length, 4u);
  WORD Translation[2];
  std::memcpy(Translation, Value, sizeof(Translation));
  EXPECT_EQ(Translation[0], 0x0409);
  EXPECT_EQ(Translation[1], 0x04E4);
  ASSERT_TRUE(
      VerQueryValueA(Block.data(), "\\StringFileInfo\\040904E4\\FileVersion", &Value, &Length));
  EXPECT_STREQ(static_cast<const char*>(Value), "1.9.1.0");
}
