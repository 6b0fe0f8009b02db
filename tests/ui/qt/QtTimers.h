// The front end's timers run the dialog's delays; tests let them run out at
// once instead of waiting.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

// Lets a running timer run out now, through its own connections.
inline void RunOut(QTimer& Timer) {
  ASSERT_TRUE(Timer.isActive());
  Timer.start(0);
  EXPECT_TRUE(QTest::qWaitFor([&Timer] { return !Timer.isActive(); }));
}
