// The settings of the fault tests' zqttweak (FaultyZqtTweak.cpp).
#pragma once

inline constexpr const char* kFailCallVariable = "ZQT_FAIL_CALL";
inline constexpr const char* kEndAtCallVariable = "ZQT_END_AT_CALL";
inline constexpr int kEndedAtCall = 86;
inline constexpr const char* kFaultNotReached = "zqttweak_faults: the call was not reached";
