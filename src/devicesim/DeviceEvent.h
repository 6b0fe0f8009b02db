// The event a connection attempt signals when the device answers: a handle
// the desktop waits on with the platform's WaitForSingleObject (a timerfd on
// Linux, a waitable timer on Windows), so that the wait needs no thread.
#pragma once

#include <chrono>

#include "WinCompat.h"

// An event signalled After from now and from then on, or never unless Armed;
// null when none could be made.
HANDLE NewDeviceEvent(std::chrono::nanoseconds After, bool Armed);
void CloseDeviceEvent(HANDLE Event);
