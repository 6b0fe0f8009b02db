#include "RegistryCallsFilter.h"

namespace {

TRegistryCallsFilter& Filter() {
  static TRegistryCallsFilter Installed;
  return Installed;
}

std::unique_ptr<TRegistryCalls> Filtered(TRegistryCalls& Calls) {
  return Filter() ? Filter()(Calls) : nullptr;
}

}  // namespace

void SetRegistryCallsFilter(TRegistryCallsFilter Filter) { ::Filter() = std::move(Filter); }

TFilteredValues::TFilteredValues(TRegistryCalls& Calls)
    : FFiltered(Filtered(Calls)), FValues(FFiltered ? *FFiltered : Calls) {}
