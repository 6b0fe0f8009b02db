#include "DeviceConnection.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include "WaitableHandles.h"

namespace {

// An event that is signalled After from now; an unarmed timer is never
// signalled.
int NewEvent(std::chrono::nanoseconds After, bool Armed) {
  int Event = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
  if (Event < 0 || !Armed) return Event;
  // A zero time would disarm the timer: at once is one nanosecond.
  if (After <= std::chrono::nanoseconds::zero()) After = std::chrono::nanoseconds(1);
  itimerspec When{};
  When.it_value.tv_sec = static_cast<time_t>(After.count() / 1000000000);
  When.it_value.tv_nsec = static_cast<long>(After.count() % 1000000000);
  if (timerfd_settime(Event, 0, &When, nullptr) != 0) {
    close(Event);
    return -1;
  }
  return Event;
}

}  // namespace

TDeviceConnection::~TDeviceConnection() { End(); }

HRESULT TDeviceConnection::Start(RAPIINIT& Init, const TConnectBehaviour& Behaviour) {
  using TMode = TConnectBehaviour::TMode;
  End();
  if (Behaviour.Mode == TMode::Refuse) return E_FAIL;
  FWillAnswer = Behaviour.Mode == TMode::Answer;
  FAnswersAt = TClock::now() + Behaviour.Delay;
  FEvent = NewEvent(Behaviour.Delay, Behaviour.Mode != TMode::Never);
  if (FEvent < 0) return E_FAIL;
  Init.heRapiInit = WaitableHandle(FEvent);
  Init.hrRapiInit = Behaviour.Mode == TMode::Fail ? E_FAIL : S_OK;
  return S_OK;
}

HRESULT TDeviceConnection::End() {
  if (FEvent < 0) return E_FAIL;
  close(FEvent);
  FEvent = -1;
  FWillAnswer = false;
  return S_OK;
}

bool TDeviceConnection::Answering() const {
  return FEvent >= 0 && FWillAnswer && TClock::now() >= FAnswersAt;
}
