// The built program as a user runs it: a real window on an X server,
// closed with the keyboard.
#include <gtest/gtest.h>
#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ChildProcess.h"
#include "TemporaryRegistry.h"

namespace {

// What the program's start tells the X server's other clients: the startup
// notification messages sent to the root window, and its windows' icons.
class TXWatch {
 public:
  explicit TXWatch(const std::string& Display) : FConnection(xcb_connect(Display.c_str(), nullptr)) {
    const xcb_window_t Root = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
    const std::uint32_t Events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(FConnection, Root, XCB_CW_EVENT_MASK, &Events);
    xcb_flush(FConnection);
  }
  ~TXWatch() { xcb_disconnect(FConnection); }
  TXWatch(const TXWatch&) = delete;
  TXWatch& operator=(const TXWatch&) = delete;

  // The next whole startup notification message; empty when none came
  // within ten seconds.
  std::string NextStartupMessage() {
    const xcb_atom_t Begin = Atom("_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t More = Atom("_NET_STARTUP_INFO");
    std::string Message;
    pollfd Connection{xcb_get_file_descriptor(FConnection), POLLIN, 0};
    for (;;) {
      xcb_generic_event_t* Event = xcb_poll_for_event(FConnection);
      if (!Event && poll(&Connection, 1, 10000) <= 0) return std::string();
      if (!Event) continue;
      const auto& Part = *reinterpret_cast<xcb_client_message_event_t*>(Event);
      const bool Ours = (Event->response_type & 0x7F) == XCB_CLIENT_MESSAGE &&
                        (Part.type == Begin || (Part.type == More && !Message.empty()));
      const char* Bytes = reinterpret_cast<const char*>(Part.data.data8);
      const std::size_t Length = Ours ? strnlen(Bytes, 20) : 0;
      Message.append(Bytes, Length);
      std::free(Event);
      if (Ours && Length < 20) return Message;
    }
  }

  // The widths of the pictures in Window's icon (_NET_WM_ICON: width,
  // height and the pixels, picture after picture).
  std::vector<std::uint32_t> IconSizes(xcb_window_t Window) {
    auto* Reply = xcb_get_property_reply(
        FConnection,
        xcb_get_property(FConnection, 0, Window, Atom("_NET_WM_ICON"), XCB_ATOM_CARDINAL, 0,
                         1 << 20),
        nullptr);
    std::vector<std::uint32_t> Sizes;
    const auto* Values = Reply ? static_cast<const std::uint32_t*>(xcb_get_property_value(Reply))
                               : nullptr;
    const std::size_t Count = Reply ? xcb_get_property_value_length(Reply) / 4 : 0;
    for (std::size_t At = 0; At + 2 <= Count; At += 2 + std::size_t{Values[At]} * Values[At + 1])
      Sizes.push_back(Values[At]);
    std::free(Reply);
    return Sizes;
  }

 private:
  xcb_atom_t Atom(const char* Name) {
    auto* Reply = xcb_intern_atom_reply(
        FConnection, xcb_intern_atom(FConnection, 0, std::strlen(Name), Name), nullptr);
    const xcb_atom_t Result = Reply ? Reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(Reply);
    return Result;
  }

  xcb_connection_t* FConnection;
};

bool Holds(const std::vector<std::uint32_t>& Sizes, std::uint32_t Size) {
  return std::find(Sizes.begin(), Sizes.end(), Size) != Sizes.end();
}

TEST(ProgramProcessTest,
     TheDialogEndsTheLaunchFeedbackShowsTheIconAndEscapeEndsTheProgramWithTheSwitchWritten) {
  TTemporaryRegistry Registry;
  const std::string RegistryFile = Registry.StoreFile();
  TChildProcess Server("/usr/bin/Xvfb",
                       {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
  std::string Display;
  ASSERT_TRUE(Server.ReadLine(Display)) << "Xvfb did not start";
  const std::string DisplayVariable = "DISPLAY=:" + Display;
  TXWatch X(":" + Display);

  // Started by a desktop that shows launch feedback until the program says
  // it is up.
  TChildProcess Program(
      ZQTTWEAKER_PROGRAM, {"/AdvancedOptions"},
      {DisplayVariable, "QT_QPA_PLATFORM=xcb", "ZQT_REGISTRY_FILE=" + RegistryFile,
       "ZQT_RAPI_LIBRARY=" + Registry.Folder().File("no-device-library.so"),
       "DESKTOP_STARTUP_ID=zqt-test-launch_TIME0"});
  TChildProcess Search("/usr/bin/xdotool",
                       {"search", "--sync", "--onlyvisible", "--name", "^Quorvanta Tweaker"},
                       {DisplayVariable});
  std::string Dialog;
  ASSERT_TRUE(Search.ReadLine(Dialog)) << "no dialog came up";
  EXPECT_EQ("remove: ID=zqt-test-launch_TIME0", X.NextStartupMessage());
  const std::vector<std::uint32_t> Icon = X.IconSizes(std::stoul(Dialog));
  EXPECT_TRUE(Holds(Icon, 16) && Holds(Icon, 32)) << "the icon comes in " << Icon.size() << " sizes";

  // The key goes through the X server's test extension, as a keyboard's
  // would: the dialog closes on the press, before the release arrives.
  TChildProcess Focus("/usr/bin/xdotool", {"windowfocus", "--sync", Dialog}, {DisplayVariable});
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
