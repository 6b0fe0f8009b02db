// The environment variables of the test process, which the libraries it
// loads read too.
#pragma once

#include <string>

void SetProcessVariable(const std::string& Name, const std::string& Value);
void ClearProcessVariable(const std::string& Name);
