#include <gtest/gtest.h>
#include "RegistryMngr.h"
#include "TemporaryRegistry.h"
TEST(Smoke, Builds) { TTemporaryRegistry R; RegWriteBool("\\Software\\A", "X", true); EXPECT_TRUE(RegReadBool("\\Software\\A", "X", false)); }
