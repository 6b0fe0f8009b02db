// An option's value, named by the catalogue row of the option.
#pragma once

#include "ZQTTweakerManager.h"

struct TOptionValue {
  const TOptionRow* Row = nullptr;
  // As the registry keeps it: Boolean options as 0 or 1.
  int Value = 0;
  // The line of the file the value was read from; 0 when none.
  int Line = 0;
};
