// WaitForSingleObject over poll: a waitable handle is signalled while its
// descriptor is readable.
#include <poll.h>

#include <cerrno>
#include <chrono>
#include <cstdint>

#include "WaitableHandles.h"

namespace {

using TClock = std::chrono::steady_clock;

// The milliseconds left until Deadline, for one poll call.
int PollTimeout(TClock::time_point Deadline) {
  auto Left = std::chrono::ceil<std::chrono::milliseconds>(Deadline - TClock::now()).count();
  if (Left <= 0) return 0;
  return Left > INT32_MAX ? INT32_MAX : static_cast<int>(Left);
}

}  // namespace

extern "C" DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  pollfd Watched{WaitableDescriptor(hHandle), POLLIN, 0};
  if (Watched.fd < 0) return WAIT_FAILED;
  bool Forever = dwMilliseconds == INFINITE;
  TClock::time_point Deadline = TClock::now() + std::chrono::milliseconds(dwMilliseconds);
  while (true) {
    int Ready = poll(&Watched, 1, Forever ? -1 : PollTimeout(Deadline));
    if (Ready > 0) return (Watched.revents & POLLIN) ? WAIT_OBJECT_0 : WAIT_FAILED;
    if (Ready == 0 && TClock::now() >= Deadline) return WAIT_TIMEOUT;
    if (Ready < 0 && errno != EINTR) return WAIT_FAILED;
  }
}
