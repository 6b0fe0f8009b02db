// Writes Count DWORD values named Prefix0, Prefix1, ... into one key of the
// desktop registry (the file ZQT_REGISTRY_FILE names), printing each index
// once its write has returned. A test kills it or runs two at once.
#include <cstdio>
#include <string>

#include "WinCompat.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s KEY PREFIX COUNT\n", argv[0]);
    return 2;
  }
  const std::string Prefix = argv[2];
  const int Count = std::stoi(argv[3]);
  for (int Index = 0; Index < Count; ++Index) {
    HKEY Key = nullptr;
    LONG Result = RegCreateKeyExA(HKEY_CURRENT_USER, argv[1], 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &Key, nullptr);
    if (Result == ERROR_SUCCESS) {
      DWORD Value = static_cast<DWORD>(Index);
      Result = RegSetValueExA(Key, (Prefix + std::to_string(Index)).c_str(), 0, REG_DWORD,
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
