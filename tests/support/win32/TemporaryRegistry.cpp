// A scratch key below the real HKEY_CURRENT_USER holds the test's two roots;
// RegOverridePredefKey redirects HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of
// this process to them.
#include "TemporaryRegistry.h"

#include <gtest/gtest.h>
#include <sddl.h>

namespace {

// The parent of every test's scratch key.
constexpr char kScratchKeys[] = "Software\\ZQT test registries";

std::string ScratchKey(const TTemporaryFolder& Folder) {
  return std::string(kScratchKeys) + "\\" + Folder.Path().filename().string();
}

void Redirect(HKEY Root, const std::string& Key) {
  HKEY Target = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegCreateKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &Target, nullptr));
  EXPECT_EQ(ERROR_SUCCESS, RegOverridePredefKey(Root, Target));
  RegCloseKey(Target);
}

}  // namespace

// HKEY_CURRENT_USER last: until then its scratch key is reached through it.
TTemporaryRegistry::TTemporaryRegistry() {
  Redirect(HKEY_LOCAL_MACHINE, ScratchKey(FFolder) + "\\HKEY_LOCAL_MACHINE");
  Redirect(HKEY_CURRENT_USER, ScratchKey(FFolder) + "\\HKEY_CURRENT_USER");
}

// The parent goes too once no other test's key is left in it.
TTemporaryRegistry::~TTemporaryRegistry() {
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
  RegDeleteTreeA(HKEY_CURRENT_USER, ScratchKey(FFolder).c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKeys);
}

// Everyone may read the key, and delete it when the test is over; nothing
// else.
bool TTemporaryRegistry::SetKeyReadOnly(HKEY Root, const std::string& Path) {
  PSECURITY_DESCRIPTOR Security = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KRSD;;;WD)", SDDL_REVISION_1,
                                                            &Security, nullptr))
    return false;
  HKEY Key = nullptr;
  LONG Result = RegOpenKeyExA(Root, Path.c_str(), 0, WRITE_DAC, &Key);
  if (Result == ERROR_SUCCESS) {
    Result = RegSetKeySecurity(Key, DACL_SECURITY_INFORMATION, Security);
    RegCloseKey(Key);
  }
  LocalFree(Security);
  return Result == ERROR_SUCCESS;
}
