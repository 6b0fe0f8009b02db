// The keys a registry store has found, by their base key and path, so that
// opening a key found before asks the file nothing. Paths are told apart as
// Windows tells key names apart, without regard to case. The key found last
// is also known by its path exactly as given: options are loaded one after
// another from one key, and opening it again need not fold its path anew.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

class TFoundKeys {
 public:
  using KeyId = std::int64_t;
  struct TFound {
    KeyId Id = 0;
    bool ReadOnly = false;
  };

  // The key Path below Base as found before, or null. Valid until this
  // object changes.
  const TFound* Find(KeyId Base, std::string_view Path);
  void Remember(KeyId Base, std::string_view Path, TFound Found);
  void ForgetAll();
  // Forgets every path that led to Key.
  void ForgetKey(KeyId Key);

 private:
  // Makes FName the name the key Path below Base is remembered by.
  void MakeName(KeyId Base, std::string_view Path);
  void MakeLast(KeyId Base, std::string_view Path, TFound Found);

  std::unordered_map<std::string, TFound> FKeys;
  // Made anew by each search in the room of the last.
  std::string FName;
  // The key found last, by its base and its path as given.
  bool FHasLast = false;
  KeyId FLastBase = 0;
  std::string FLastPath;
  TFound FLast;
};
