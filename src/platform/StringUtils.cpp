#include "StringUtils.h"

#include "WinCompat.h"

namespace {

bool IsBlank(char Character) { return static_cast<unsigned char>(Character) <= ' '; }

}  // namespace

std::string Trim(const std::string& S) { return std::string(TrimmedView(S)); }

std::string_view TrimmedView(std::string_view S) {
  std::size_t First = 0;
  std::size_t Last = S.size();
  while (First < Last && IsBlank(S[First])) ++First;
  while (Last > First && IsBlank(S[Last - 1])) --Last;
  return S.substr(First, Last - First);
}

bool AnsiSameText(const std::string& S1, const std::string& S2) {
  return lstrcmpiA(S1.c_str(), S2.c_str()) == 0;
}
