// The connection between the desktop and a simulated device.
//
// A connection request starts an attempt whose end is signalled through an
// event the caller waits on (see DeviceEvent.h). From the moment the device
// answers until the connection ends, the device serves remote calls.
#pragma once

#include <chrono>

#include "DeviceSettings.h"
#include "RapiDefs.h"

class TDeviceConnection {
 public:
  TDeviceConnection() = default;
  ~TDeviceConnection();
  TDeviceConnection(const TDeviceConnection&) = delete;
  TDeviceConnection& operator=(const TDeviceConnection&) = delete;

  // Starts an attempt that ends as Behaviour says and fills in Init's event
  // and result; ends an earlier one first. A failure code means that no
  // attempt was started and Init is left alone.
  HRESULT Start(RAPIINIT& Init, const TConnectBehaviour& Behaviour);
  // Ends the attempt or the connection; E_FAIL when there is none.
  HRESULT End();
  bool Answering() const;

 private:
  using TClock = std::chrono::steady_clock;

  HANDLE FEvent = nullptr;
  bool FWillAnswer = false;
  TClock::time_point FAnswersAt;
};
