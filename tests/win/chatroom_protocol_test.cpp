// The stand-in client checked by an independent sender: the raw window protocol with plain
// user32 calls, without the chat link, against chatroom.exe's log byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include "chatroom_process.h"

namespace {

using qf::testing::ChatroomProcess;

struct RawRoom {
  HWND room = nullptr;
  HWND input = nullptr;
  HWND sixthIcon = nullptr;
};

RawRoom FindRaw() {
  RawRoom raw;
  const HWND frame = FindWindowA("AOL Frame25", nullptr);
  const HWND mdi = FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  raw.room = FindWindowExA(mdi, nullptr, "AOL Child", nullptr);
  raw.input = FindWindowExA(raw.room, nullptr, "RICHCNTL", nullptr);
  HWND icon = nullptr;
  for (int i = 0; i < 6; ++i) icon = FindWindowExA(raw.room, icon, "_AOL_Icon", nullptr);
  raw.sixthIcon = icon;
  return raw;
}

class Chatroom : public testing::Test {
 protected:
  void TearDown() override { chat.Stop(); }
  ChatroomProcess chat;
};

TEST_F(Chatroom, PostsByTheSixthIconAndByCarriageReturnAndLogsTheBytes) {
  ASSERT_NO_FATAL_FAILURE(chat.Start(L""));
  const RawRoom raw = FindRaw();
  ASSERT_NE(raw.input, nullptr);
  ASSERT_NE(raw.sixthIcon, nullptr);

  SendMessageA(raw.input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("<b>a"));
  SendMessageA(raw.sixthIcon, WM_LBUTTONDOWN, 0, 0);
  SendMessageA(raw.sixthIcon, WM_KEYUP, VK_SPACE, 0);

  // Bullet and middle dot as code page 1252 bytes.
  SendMessageA(raw.input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\x95\xB7 hi \xB7\x95"));
  SendMessageA(raw.input, WM_CHAR, 13, 0);

  ASSERT_TRUE(chat.WaitForLines(3, 5000));
  EXPECT_EQ(chat.Log(), "ready\r\nbutton6 3C623E61\r\nenter 95B720686920B795\r\n");
  char left[16] = "?";
  SendMessageA(raw.input, WM_GETTEXT, sizeof left, reinterpret_cast<LPARAM>(left));
  EXPECT_STREQ(left, "");
}

TEST_F(Chatroom, IconsAreFoundInTheirNumberOrderAndOnlyAPressFollowedByAReleaseFires) {
  ASSERT_NO_FATAL_FAILURE(chat.Start(L"--icons 10"));
  const RawRoom raw = FindRaw();
  HWND icon = nullptr;
  for (int k = 1; k <= 10; ++k) {
    icon = FindWindowExA(raw.room, icon, "_AOL_Icon", nullptr);
    ASSERT_NE(icon, nullptr);
    SendMessageA(raw.input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
    SendMessageA(icon, WM_KEYUP, VK_SPACE, 0);  // a release alone does nothing
    SendMessageA(icon, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(icon, WM_KEYUP, VK_SPACE, 0);
  }
  EXPECT_EQ(FindWindowExA(raw.room, icon, "_AOL_Icon", nullptr), nullptr);
  ASSERT_TRUE(chat.WaitForLines(11, 5000));
  const std::vector<std::string> lines = chat.Lines();
  ASSERT_EQ(lines.size(), 11u);
  for (int k = 1; k <= 10; ++k) EXPECT_EQ(lines[k], "button" + std::to_string(k) + " 78");
}

// A person's click: the button goes down and comes up over the icon.
TEST_F(Chatroom, AMouseClickOnAnIconPostsTheLine) {
  ASSERT_NO_FATAL_FAILURE(chat.Start(L""));
  const RawRoom raw = FindRaw();
  SendMessageA(raw.input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("hello"));
  SendMessageA(raw.sixthIcon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(raw.sixthIcon, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  // Released away from the icon: no post.
  SendMessageA(raw.input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("dragged off"));
  SendMessageA(raw.sixthIcon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(raw.sixthIcon, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
  ASSERT_TRUE(chat.WaitForLines(2, 5000));
  EXPECT_EQ(chat.Log(), "ready\r\nbutton6 68656C6C6F\r\n");
}

}  // namespace
