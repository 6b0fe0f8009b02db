# Cross-compiles the layers below the user interface for 32-bit x86 Windows
# with mingw-w64, and runs what CTest runs under Wine:
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#
# 32-bit, as the program ships: it starts on 32-bit and 64-bit Windows alike,
# loads the 32-bit device library that the desktop synchronisation software
# installs on both, and sees the registry as the organizer, a 32-bit program,
# does. The -posix compilers: the others lack std::mutex and std::thread,
# which GoogleTest needs. Everything links statically, so an executable needs
# no runtime library of the compiler beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(ZQT_MINGW_TARGET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${ZQT_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZQT_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZQT_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZQT_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
# A library's module definition file exports its stdcall functions by their
# plain names (CeRapiInitEx), as Windows' own libraries do; the linker finds
# them under their decorated symbols (_CeRapiInitEx@4) and, told so, says
# nothing about it.
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -Wl,--enable-stdcall-fixup")

# Wine's wrapper runs a 32-bit executable through its 32-bit loader; in a
# 64-bit prefix that is WoW64, as on 64-bit Windows.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
