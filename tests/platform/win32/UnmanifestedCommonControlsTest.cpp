// This test executable is built without the program's resources.
#include <gtest/gtest.h>

#include "CommonControls.h"

TEST(CommonControls, AreTheSystemsOldOnesWithoutTheProgramsManifest) {
  EXPECT_EQ("", CommonControlsAssembly());
}
