// The chat link against the stand-in client, chatroom.exe, running in another process.
#include "chat/chat_link_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <thread>

#include "chat/pause.h"
#include "chatroom_process.h"
#include "core/events.h"

namespace {

using Clock = std::chrono::steady_clock;
using qf::testing::ChatroomProcess;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A line with the announcement's decoration: bullet U+2022 and middle dot U+00B7, which the
// ANSI code page 1252 holds as 0x95 and 0xB7.
constexpr char16_t kDecorated[] = u"\u2022\u00B7\u00B7.<b>Quelvane Fader</b>";
constexpr char kDecoratedHex[] = "95B7B72E3C623E5175656C76616E652046616465723C2F623E";

int timerTicks = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++timerTicks; }

class ChatLink : public testing::Test {
 protected:
  void TearDown() override { chat.Stop(); }
  // The log's lines after "ready".
  std::vector<std::string> Posted() const {
    std::vector<std::string> lines = chat.Lines();
    if (!lines.empty()) lines.erase(lines.begin());
    return lines;
  }
  ChatroomProcess chat;
};

TEST_F(ChatLink, SendPressesTheSixthIconWithTheExactAnsiBytes) {
  ASSERT_NO_FATAL_FAILURE(chat.Start(L""));
  EXPECT_EQ(qf::ChatSend(kDecorated), qf::ChatSendResult::kDelivered);
  // The press is handled inside the delivered messages: the log is complete on return.
  ASSERT_EQ(Posted().size(), 1u);
  EXPECT_EQ(Posted()[0], std::string("button6 ") + kDecoratedHex);
  EXPECT_EQ(qf::GetText(qf::FindChatRoom().input), "");  // the client emptied its box
}

TEST_F(ChatLink, SendOverwritesAHalfTypedLine) {
  ASSERT_NO_FATAL_FAILURE(chat.Start(L""));
  const HWND input = qf::FindChatRoom().input;
  for (wchar_t c : std::wstring(L"half typ")) SendMessageW(input, WM_CHAR, c, 0);
  ASSERT_EQ(qf::GetText(input), "half typ");
  EXPECT_EQ(qf::ChatSend(u"<b>a"), qf::ChatSendResult::kDelivered);
  ASSERT_EQ(Posted(), std::vector<std::string>{"button6 3C623E61"});
}

// Each line waits for the box to settle (at least a second), as the start-up announcement's
// two lines with their Pause(0.3) between them do.
TEST_F(ChatLink, SendEnterTypesACarriageReturnAfterTheTextSettles) {
  ASSERT_NO_FATAL_FAILURE(chat.Start(L""));
  const Clock::time_point start = Clock::now();
  qf::ChatSendEnter(kDecorated);
  qf::Pause(0.3);
  qf::ChatSendEnter(u"second");
  EXPECT_GE(SecondsSince(start), 2.3);
  EXPECT_EQ(Posted(), (std::vector<std::string>{std::string("enter ") + kDecoratedHex,
                                                "enter 7365636F6E64"}));
}

TEST_F(ChatLink, WithoutAClientBothSendsReturnAtOnce) {
  ASSERT_EQ(FindWindowA("AOL Frame25", nullptr), nullptr) << "a chat client is running";
  const Clock::time_point start = Clock::now();
  EXPECT_EQ(qf::ChatSend(u"nobody hears this"), qf::ChatSendResult::kNoChatRoom);
  qf::ChatSendEnter(u"nobody hears this");
  EXPECT_LT(SecondsSince(start), 0.5);
  EXPECT_EQ(qf::WaitForSteadyText(nullptr), qf::SteadyWait::kUnreadable);
}

// A client whose input box stalls 20 s on WM_SETTEXT: each send gives up after its message
// limit, presses nothing, and the program runs its timers again right after.
TEST_F(ChatLink, HungClientCannotFreezeTheProgram) {
  ASSERT_NO_FATAL_FAILURE(chat.Start(L"--hang-ms 20000"));
  const double bound = qf::kChatMessageTimeoutMs / 1000.0 + 2.0;

  Clock::time_point start = Clock::now();
  EXPECT_EQ(qf::ChatSend(u"stuck"), qf::ChatSendResult::kNotTaken);
  EXPECT_LT(SecondsSince(start), bound);

  start = Clock::now();
  qf::ChatSendEnter(u"stuck");
  EXPECT_LT(SecondsSince(start), bound);

  timerTicks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, &CountTick);
  qf::Pause(0.2);
  KillTimer(nullptr, timer);
  EXPECT_GT(timerTicks, 0);
  EXPECT_TRUE(Posted().empty());
}

// A box that answers only after the limit: the send is dropped, not finished late, so the
// button is never pressed on a line the box may not hold yet.
TEST_F(ChatLink, SendThatTimesOutPressesNothing) {
  ASSERT_NO_FATAL_FAILURE(
      chat.Start(L"--hang-ms " + std::to_wstring(qf::kChatMessageTimeoutMs + 1500)));
  EXPECT_EQ(qf::ChatSend(u"late"), qf::ChatSendResult::kNotTaken);
  // Wait until the client answers again, then look at what it did.
  DWORD_PTR ignored = 0;
  ASSERT_NE(
      SendMessageTimeoutW(qf::FindChatRoom().room, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored), 0);
  EXPECT_TRUE(Posted().empty());
}

TEST(Pause, LastsItsLengthWhileTimersRun) {
  timerTicks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, &CountTick);
  const Clock::time_point start = Clock::now();
  qf::Pause(0.3);
  const double spent = SecondsSince(start);
  KillTimer(nullptr, timer);
  EXPECT_GE(spent, 0.3);
  EXPECT_GE(timerTicks, 5);  // timers fire every 10 ms or so under Wine
}

// With k icons the six chained searches wrap: icon 6 mod (k + 1), none when that is 0.
class ChatLinkIcons : public ChatLink, public testing::WithParamInterface<int> {};

TEST_P(ChatLinkIcons, SendPressesTheIconTheChainedSearchLandsOn) {
  const int k = GetParam();
  ASSERT_NO_FATAL_FAILURE(chat.Start(L"--icons " + std::to_wstring(k)));
  const bool delivered = qf::ChatSend(u"x") == qf::ChatSendResult::kDelivered;
  const int expected = k >= 6 ? 6 : 6 % (k + 1);
  EXPECT_EQ(delivered, expected != 0);
  if (expected == 0) {
    EXPECT_TRUE(Posted().empty());
    // The line did reach the box; only no button was pressed.
    EXPECT_EQ(qf::GetText(qf::FindChatRoom().input), "x");
  } else {
    EXPECT_EQ(Posted(), std::vector<std::string>{"button" + std::to_string(expected) + " 78"});
  }
}

INSTANTIATE_TEST_SUITE_P(ZeroToTen, ChatLinkIcons, testing::Range(0, 11));

}  // namespace

namespace {

// A window that reports a text length of its choosing, as another process's window might.
LRESULT reportedLength = 0;
LRESULT CALLBACK LyingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETTEXTLENGTH) return reportedLength;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(ChatLinkText, GetTextBoundsWhatAnotherWindowClaimsToHold) {
  // An ANSI window on a thread of its own, so that messages reach it marshalled as they do
  // from the client's process.
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &LyingProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "QfLyingWindow";
  RegisterClassA(&windowClass);
  std::atomic<HWND> window{nullptr};
  std::atomic<DWORD> threadId{0};
  std::thread owner([&] {
    threadId = GetCurrentThreadId();
    window = CreateWindowExA(0, "QfLyingWindow", "abc", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(window);
  });
  while (window == nullptr) Sleep(1);
  reportedLength = 0x7FFFFFFF;  // 2 GB: read only up to the bound, not allocated
  EXPECT_EQ(qf::GetText(window), "abc");
  reportedLength = -1;  // negative: no text
  EXPECT_EQ(qf::GetText(window), "");
  EXPECT_EQ(qf::TryGetText(window), std::nullopt);
  PostThreadMessageA(threadId, WM_QUIT, 0, 0);
  owner.join();
}

}  // namespace
