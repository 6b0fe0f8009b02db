// The built program as a user runs it: a real window on an X server,
// closed with the keyboard.
#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "TemporaryRegistry.h"

namespace {

TEST(ProgramProcessTest, EscapeClosesTheDialogAndEndsTheProgramWithTheSwitchWritten) {
  TTemporaryRegistry Registry;
  const std::string RegistryFile = Registry.StoreFile();
  TChildProcess Server("/usr/bin/Xvfb",
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  std::string Display;
  ASSERT_TRUE(Server.ReadLine(Display)) << "Xvfb did not start";
  const std::string DisplayVariable = "DISPLAY=:" + Display;

  TChildProcess Program(
      ZQTTWEAKER_PROGRAM, {"/AdvancedOptions"},
      {DisplayVariable, "QT_QPA_PLATFORM=xcb", "ZQT_REGISTRY_FILE=" + RegistryFile,
       "ZQT_RAPI_LIBRARY=" + Registry.Folder().File("no-device-library.so")});
  // The key goes through the X server's test extension, as a keyboard's
  // would: the dialog closes on the press, before the release arrives.
  TChildProcess Focus("/usr/bin/xdotool",
                      {"search", "--sync", "--onlyvisible", "--name", "^Quorvanta Tweaker",
                       "windowfocus", "--sync"},
                      {DisplayVariable});
  ASSERT_EQ(0, Focus.Wait());
  TChildProcess Escape("/usr/bin/xdotool", {"key", "Escape"}, {DisplayVariable});
  EXPECT_EQ(0, Escape.Wait());
  EXPECT_EQ(0, Program.Wait());

  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(QueryRawValue(HKEY_CURRENT_USER, "Software\\Quorvanta\\Velora\\Settings",
                            "ZQTTweakerAdvanced", Type, Bytes));
  EXPECT_EQ(REG_DWORD, Type);
  EXPECT_EQ(DwordBytes(1), Bytes);
}

}  // namespace
