// The Qt front end's tests drive real widgets, offscreen unless a display
// is asked for, at the screen resolution the build asks for (96 DPI
// unless ZQT_TEST_FONT_DPI says otherwise); dialogs shown in them are the
// front end's.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "QtOptionsDialog.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
#ifdef ZQT_TEST_FONT_DPI
  setenv("QT_FONT_DPI", ZQT_TEST_FONT_DPI, 1);
#endif
  QApplication Application(argc, argv);
  Application.setApplicationName("ZQTTweaker");
  TQtOptionsDialogFrontEnd FrontEnd;
  SetOptionsDialogFrontEnd(&FrontEnd);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
