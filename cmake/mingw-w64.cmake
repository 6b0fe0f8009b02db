# Cross-compiles the layers below the user interface for 64-bit Windows with
# mingw-w64, and runs what CTest runs under Wine:
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#
# The -posix compilers: the others lack std::mutex and std::thread, which
# GoogleTest needs. Everything links statically, so an executable needs no
# runtime library of the compiler beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZQT_MINGW_TARGET x86_64-w64-mingw32)
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
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

# Wine's wrapper picks its 64-bit loader for a 64-bit executable.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
