// The user-interface tests drive real widgets, offscreen unless a display
// is asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication Application(argc, argv);
  Application.setApplicationName("ZQTTweaker");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
