// What stands between a command and each registry's calls: nothing, unless
// a filter is set. The program sets none; the fault tests' build of it sets
// one that fails, or ends the program at, a chosen call of either registry.
#pragma once

#include <functional>
#include <memory>

#include "StoredValue.h"

// Calls made through the filter's result instead of Calls.
using TRegistryCallsFilter = std::function<std::unique_ptr<TRegistryCalls>(TRegistryCalls& Calls)>;

void SetRegistryCallsFilter(TRegistryCallsFilter Filter);

// A registry's stored values, through the filter when one is set.
class TFilteredValues {
 public:
  explicit TFilteredValues(TRegistryCalls& Calls);

  TStoredValues& Values() { return FValues; }

 private:
  std::unique_ptr<TRegistryCalls> FFiltered;
  TStoredValues FValues;
};
