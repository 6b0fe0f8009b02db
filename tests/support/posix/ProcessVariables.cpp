#include "ProcessVariables.h"

#include <cstdlib>

void SetProcessVariable(const std::string& Name, const std::string& Value) {
  setenv(Name.c_str(), Value.c_str(), 1);
}

void ClearProcessVariable(const std::string& Name) { unsetenv(Name.c_str()); }
