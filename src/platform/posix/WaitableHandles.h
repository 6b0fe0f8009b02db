// Waitable handles on Linux: a file descriptor that becomes readable when
// the object is signalled (an eventfd or a timerfd, for example), so that
// WaitForSingleObject can poll it. The handle carries the descriptor plus
// one, so that no valid handle is null.
#pragma once

#include <cstdint>

#include "WinCompat.h"

inline HANDLE WaitableHandle(int Descriptor) {
  return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(Descriptor) + 1);
}

// -1 for a handle that cannot carry a descriptor.
inline int WaitableDescriptor(HANDLE Handle) {
  std::intptr_t Value = reinterpret_cast<std::intptr_t>(Handle) - 1;
  return Value >= 0 && Value <= INT32_MAX ? static_cast<int>(Value) : -1;
}
