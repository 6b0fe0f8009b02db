// Program entry. The options dialog is not part of the program yet: for now
// it tells where the desktop registry it will edit lives.
#include <cstdio>

#include "RegistryHandles.h"

int main() {
  std::printf(
      "ZQTTweaker: the options dialog is not built yet, so there is nothing to show.\n"
      "Desktop registry store: %s\n",
      DesktopRegistryStore()->FileName().c_str());
  return 0;
}
