// Device events over timerfds, which poll finds readable once they expired.
#include "DeviceEvent.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include "WaitableHandles.h"

HANDLE NewDeviceEvent(std::chrono::nanoseconds After, bool Armed) {
  const int Event = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
  if (Event < 0) return nullptr;
  if (!Armed) return WaitableHandle(Event);
  // A zero time would disarm the timer: at once is one nanosecond.
  if (After <= std::chrono::nanoseconds::zero()) After = std::chrono::nanoseconds(1);
  itimerspec When{};
  When.it_value.tv_sec = static_cast<time_t>(After.count() / 1000000000);
  When.it_value.tv_nsec = static_cast<long>(After.count() % 1000000000);
  if (timerfd_settime(Event, 0, &When, nullptr) != 0) {
    close(Event);
    return nullptr;
  }
  return WaitableHandle(Event);
}

void CloseDeviceEvent(HANDLE Event) { close(WaitableDescriptor(Event)); }
