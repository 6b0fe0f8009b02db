#include <gtest/gtest.h>

#include "PathUtils.h"

TEST(EnsureTrailingBackslash, AddsOneBackslashOnlyWhereMissing) {
  EXPECT_EQ(EnsureTrailingBackslash("C:\\Logs"), "C:\\Logs\\");
  EXPECT_EQ(EnsureTrailingBackslash("C:\\Logs\\"), "C:\\Logs\\");
  EXPECT_EQ(EnsureTrailingBackslash("\\"), "\\");
}

TEST(EnsureTrailingBackslash, LeavesAnEmptyPathEmpty) {
  EXPECT_EQ(EnsureTrailingBackslash(""), "");
}

TEST(JoinPath, PutsExactlyOneBackslashBetweenFolderAndName) {
  EXPECT_EQ(JoinPath("C:\\Logs", "a.log"), "C:\\Logs\\a.log");
  EXPECT_EQ(JoinPath("C:\\Logs\\", "a.log"), "C:\\Logs\\a.log");
  EXPECT_EQ(JoinPath("\\Temp", "ZQTUtil.log"), "\\Temp\\ZQTUtil.log");
}

TEST(JoinPath, AppendsANameThatStartsWithABackslashAsItIs) {
  EXPECT_EQ(JoinPath("C:\\Logs", "\\a.log"), "C:\\Logs\\a.log");
  EXPECT_EQ(JoinPath("C:\\Logs\\", "\\a.log"), "C:\\Logs\\\\a.log");
}

TEST(JoinPath, EmptyPartsAddNoBackslash) {
  EXPECT_EQ(JoinPath("C:\\Logs", ""), "C:\\Logs");
  EXPECT_EQ(JoinPath("", "a.log"), "a.log");
  EXPECT_EQ(JoinPath("", ""), "");
}
