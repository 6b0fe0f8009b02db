// The Windows program is 32-bit, as are the device API libraries of the
// desktop synchronisation software of 32-bit Windows (64-bit Windows'
// installs one beside its 64-bit one): the record the program hands the
// library on connecting is their 12-byte RAPIINIT.
#include <gtest/gtest.h>

#include "RapiMngr.h"
#include "SimulatedDevice.h"

namespace {

TEST(RapiInitRecordTest, ConnectingHandsTheLibraryATwelveByteRecord) {
  TSimulatedDevice Device;
  TRapiManager Rapi;
  EXPECT_TRUE(Rapi.Connected());
  EXPECT_EQ(12u, Device.InitRecordSize());
}

}  // namespace
