// The program's manifest, linked into every executable we build, asks for
// the common controls of version 6.
#include <gtest/gtest.h>

#include "CommonControls.h"

TEST(CommonControls, AreVersion6AsTheProgramsManifestAsks) {
  EXPECT_EQ(0u, CommonControlsAssembly().rfind("Microsoft.Windows.Common-Controls,", 0))
      << CommonControlsAssembly();
  EXPECT_EQ(6, CommonControlsAssemblyVersion()) << CommonControlsAssembly();
}
