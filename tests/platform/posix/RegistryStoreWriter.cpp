// Writes Count DWORD values named Prefix0, Prefix1, ... into one key of the
// desktop registry (the file ZQT_REGISTRY_FILE names), printing each index
// once its write has returned. A test kills it or runs several at once.
// Given a value name as well, it prints "ready" first and writes that one
// value each time instead, as the text Prefix followed by the index.
#include <cstdio>
#include <string>

#include "WinCompat.h"

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fprintf(stderr, "usage: %s KEY PREFIX COUNT [NAME]\n", argv[0]);
    return 2;
  }
  const std::string Prefix = argv[2];
  const int Count = std::stoi(argv[3]);
  const char* const OneName = argc == 5 ? argv[4] : nullptr;
  if (OneName) {
    std::printf("ready\n");
    std::fflush(stdout);
  }
  for (int Index = 0; Index < Count; ++Index) {
    HKEY Key = nullptr;
    LONG Result = RegCreateKeyExA(HKEY_CURRENT_USER, argv[1], 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &Key, nullptr);
    if (Result == ERROR_SUCCESS) {
      const std::string Text = Prefix + std::to_string(Index);
      const DWORD Value = static_cast<DWORD>(Index);
      Result = OneName ? RegSetValueExA(Key, OneName, 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(Text.c_str()),
                                        static_cast<DWORD>(Text.size() + 1))
                       : RegSetValueExA(Key, Text.c_str(), 0, REG_DWORD,
                                        reinterpret_cast<const BYTE*>(&Value), sizeof(Value));
      RegCloseKey(Key);
    }
    if (Result != ERROR_SUCCESS) {
      std::printf("failed %d with %d\n", Index, static_cast<int>(Result));
      return 1;
    }
    std::printf("%d\n", Index);
    std::fflush(stdout);
  }
  return 0;
}
