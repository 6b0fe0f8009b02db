// What a test executable's manifest gives it: which common controls, and how
// the executable itself is named. Version 6 of the common controls, which
// draws with the system's visual styles, is an assembly that the process's
// activation context sends comctl32.dll to when the executable's manifest
// asks for it; without that, the system's old version 5 is loaded.
#pragma once

#include <string>

// How the assembly that comctl32.dll is sent to names itself, as
// "Microsoft.Windows.Common-Controls,...,version=\"6.0.2600.0\""; empty when
// there is none.
std::string CommonControlsAssembly();
// The major version in that name; 0 when there is none.
int CommonControlsAssemblyVersion();
// How the executable's own assembly, from its manifest, names itself, as
// "ZQTTweaker,processorArchitecture=\"x86\",..."; empty when there is none.
std::string ProgramAssembly();
