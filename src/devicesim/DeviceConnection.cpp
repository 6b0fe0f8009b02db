#include "DeviceConnection.h"

#include "DeviceEvent.h"

TDeviceConnection::~TDeviceConnection() { End(); }

HRESULT TDeviceConnection::Start(RAPIINIT& Init, const TConnectBehaviour& Behaviour) {
  using TMode = TConnectBehaviour::TMode;
  End();
  if (Behaviour.Mode == TMode::Refuse) return E_FAIL;
  FWillAnswer = Behaviour.Mode == TMode::Answer;
  FAnswersAt = TClock::now() + Behaviour.Delay;
  FEvent = NewDeviceEvent(Behaviour.Delay, Behaviour.Mode != TMode::Never);
  if (!FEvent) return E_FAIL;
  Init.heRapiInit = FEvent;
  Init.hrRapiInit = Behaviour.Mode == TMode::Fail ? E_FAIL : S_OK;
  return S_OK;
}

HRESULT TDeviceConnection::End() {
  if (!FEvent) return E_FAIL;
  CloseDeviceEvent(FEvent);
  FEvent = nullptr;
  FWillAnswer = false;
  return S_OK;
}

bool TDeviceConnection::Answering() const {
  return FEvent && FWillAnswer && TClock::now() >= FAnswersAt;
}
