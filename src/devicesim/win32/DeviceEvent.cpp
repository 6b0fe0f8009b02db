// Device events over manual-reset waitable timers, which stay signalled once
// they expired.
#include "DeviceEvent.h"

#include <algorithm>

HANDLE NewDeviceEvent(std::chrono::nanoseconds After, bool Armed) {
  HANDLE Event = CreateWaitableTimerW(nullptr, TRUE, nullptr);
  if (!Event || !Armed) return Event;
  // A negative due time counts from now, in units of 100 ns; at least one.
  const long long Units = std::max<long long>(After.count() / 100, 1);
  LARGE_INTEGER DueTime;
  DueTime.QuadPart = -Units;
  if (!SetWaitableTimer(Event, &DueTime, 0, nullptr, nullptr, FALSE)) {
    CloseHandle(Event);
    return nullptr;
  }
  return Event;
}

void CloseDeviceEvent(HANDLE Event) { CloseHandle(Event); }
