// Proves the Wine harness: code page 936, a window that gets the foreground and the focus, keypad
// input once NumLock is on, and, with VARN_WINE_SELFTEST_FAIL=1, that a failing test fails the run.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "WineBench.h"

namespace {

using winebench::PumpMessages;
using winebench::TapKey;
using winebench::WaitForTopLevelWindow;

constexpr wchar_t kClass[] = L"VarnWineSelfTest";
constexpr wchar_t kTitle[] = L"varn \u81EA\u6D4B";  // a Chinese caption, visible in screenshots

TEST(WineHarness, AnsiCodePageIsChinese) {
  EXPECT_EQ(GetACP(), 936u);
  // GetACP alone could be right while conversions are not; the program relies on the latter.
  char ansi[8] = {};
  ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, L"\u4E2D\u6587", -1, ansi, sizeof ansi, nullptr, nullptr), 5);
  EXPECT_STREQ(ansi, "\xD6\xD0\xCE\xC4");  // GBK
}

class WineHarnessWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    ASSERT_NE(RegisterClassW(&wc), 0);
  }

  static void TearDownTestSuite() { UnregisterClassW(kClass, GetModuleHandleW(nullptr)); }

  void SetUp() override {
    top_ = CreateWindowExW(0, kClass, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 480, 160,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(top_, nullptr);
    // Single-line and without scroll bars, as a keystroke target should be under Wine.
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                            10, 10, 440, 28, top_, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(edit_, nullptr);
    PumpMessages(100);
  }

  void TearDown() override { DestroyWindow(top_); }

  std::wstring EditText() const {
    wchar_t text[64] = L"";
    GetWindowTextW(edit_, text, 64);
    return text;
  }

  HWND top_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(WineHarnessWindow, WaitForTopLevelWindowFindsOnlyVisibleMatches) {
  EXPECT_EQ(WaitForTopLevelWindow(kClass, kTitle, 2000), top_);
  EXPECT_EQ(WaitForTopLevelWindow(nullptr, kTitle, 2000), top_);

  HWND hidden = CreateWindowExW(0, kClass, L"hidden", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(hidden, nullptr);
  const DWORD start = GetTickCount();
  EXPECT_EQ(WaitForTopLevelWindow(kClass, L"hidden", 300), nullptr);
  EXPECT_GE(GetTickCount() - start, 300u);
  DestroyWindow(hidden);
}

TEST_F(WineHarnessWindow, TakesForegroundAndFocus) {
  ASSERT_TRUE(SetForegroundWindow(top_));
  SetFocus(edit_);
  PumpMessages(50);
  EXPECT_EQ(GetForegroundWindow(), top_);
  EXPECT_EQ(GetFocus(), edit_);
  EXPECT_EQ(GetActiveWindow(), top_);
}

TEST_F(WineHarnessWindow, KeypadDigitsArriveOnceNumLockIsOn) {
  // A fresh wineserver starts with NumLock off; the second call must not toggle it off again.
  ASSERT_TRUE(winebench::EnsureNumLockOn(edit_));
  ASSERT_TRUE(winebench::EnsureNumLockOn(edit_));
  EXPECT_EQ(GetFocus(), edit_);
  ASSERT_EQ(EditText(), L"");

  TapKey(VK_NUMPAD1);
  PumpMessages(100);
  EXPECT_EQ(EditText(), L"1");

  for (BYTE vk = VK_NUMPAD0; vk <= VK_NUMPAD9; ++vk) TapKey(vk);
  PumpMessages(200);
  EXPECT_EQ(EditText(), L"10123456789");
}

// Proves that the harness turns a failing test into a failing run (CTest: wine_selftest_fails).
TEST(WineHarness, FailsWhenAsked) {
  if (!getenv("VARN_WINE_SELFTEST_FAIL")) GTEST_SKIP() << "set VARN_WINE_SELFTEST_FAIL=1";
  FAIL() << "deliberate failure (VARN_WINE_SELFTEST_FAIL is set)";
}

}  // namespace

int main(int argc, char** argv) {
  winebench::SetBinaryStdout();
  testing::InitGoogleTest(&argc, argv);
  return winebench::ReportExitCode(RUN_ALL_TESTS());
}
