// Through the C runtime, whose copy of the environment getenv reads in the
// executable and in the libraries it loads alike; it passes every change on
// to the process's own environment.
#include "ProcessVariables.h"

#include <cstdlib>

void SetProcessVariable(const std::string& Name, const std::string& Value) {
  _putenv_s(Name.c_str(), Value.c_str());
}

// An empty value removes the variable.
void ClearProcessVariable(const std::string& Name) { _putenv_s(Name.c_str(), ""); }
