// The shared libraries that stand for Windows libraries on Linux.
//
// LoadLibraryA maps a Windows library name it knows to a shared library
// name, which the system's loader looks for as usual, unless the library's
// environment variable names a file to load instead. Other names go to the
// loader unchanged.
#pragma once

// "RAPI.DLL", the device API library: the simulated device builds as this.
inline constexpr const char* kRapiLibraryName = "libzqtrapi.so";
inline constexpr const char* kRapiLibraryVariable = "ZQT_RAPI_LIBRARY";
