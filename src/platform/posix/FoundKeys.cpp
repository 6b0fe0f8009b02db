#include "FoundKeys.h"

#include <charconv>

#include "CaseFold.h"

const TFoundKeys::TFound* TFoundKeys::Find(KeyId Base, std::string_view Path) {
  if (FHasLast && Base == FLastBase && Path == FLastPath) return &FLast;
  MakeName(Base, Path);
  const auto Known = FKeys.find(FName);
  if (Known == FKeys.end()) return nullptr;
  MakeLast(Base, Path, Known->second);
  return &FLast;
}

void TFoundKeys::Remember(KeyId Base, std::string_view Path, TFound Found) {
  MakeName(Base, Path);
  FKeys.insert_or_assign(FName, Found);
  MakeLast(Base, Path, Found);
}

void TFoundKeys::ForgetAll() {
  FKeys.clear();
  FHasLast = false;
}

void TFoundKeys::ForgetKey(KeyId Key) {
  std::erase_if(FKeys, [Key](const auto& Known) { return Known.second.Id == Key; });
  FHasLast = false;
}

void TFoundKeys::MakeName(KeyId Base, std::string_view Path) {
  char Digits[24];
  const auto Written = std::to_chars(Digits, Digits + sizeof Digits, Base);
  FName.assign(Digits, Written.ptr);
  FName.push_back('\\');
  AppendFolded(Path, FName);
}

void TFoundKeys::MakeLast(KeyId Base, std::string_view Path, TFound Found) {
  FHasLast = true;
  FLastBase = Base;
  FLastPath.assign(Path);
  FLast = Found;
}
