// The program's manifest, linked into every executable we build, asks for
// the common controls of version 6 and names the executable's architecture.
#include <gtest/gtest.h>

#include "CommonControls.h"

TEST(CommonControls, AreVersion6AsTheProgramsManifestAsks) {
  EXPECT_EQ(0u, CommonControlsAssembly().rfind("Microsoft.Windows.Common-Controls,", 0))
      << CommonControlsAssembly();
  EXPECT_EQ(6, CommonControlsAssemblyVersion()) << CommonControlsAssembly();
}

// Windows refuses to start an executable whose manifest names another
// architecture than its own (Wine does not check).
TEST(ProgramManifest, NamesTheArchitectureTheExecutableIsBuiltFor) {
  const std::string Architecture = sizeof(void*) == 4 ? "x86" : "amd64";
  EXPECT_NE(std::string::npos,
            ProgramAssembly().find("processorArchitecture=\"" + Architecture + "\""))
      << ProgramAssembly();
}
