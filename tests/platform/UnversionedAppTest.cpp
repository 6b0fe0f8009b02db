// This test executable is built without the version resource.
#include <gtest/gtest.h>

#include "miniUtils.h"

TEST(AppVersionString, IsOnlyTheSuffixForAnExecutableWithoutVersionResource) {
  EXPECT_EQ(AppVersionString(false, ""), "");
  EXPECT_EQ(AppVersionString(true, " (test)"), " (test)");
}
