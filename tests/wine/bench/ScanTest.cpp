// The hot key and whole scan runs end to end: HOME pressed while the bench's target window has
// the focus, the keys that reach it, and the tool's boxes.
#include <gtest/gtest.h>

#include <memory>

#include "Checks.h"
#include "KeyTarget.h"
#include "Tool.h"
#include "WineBench.h"

namespace varnbench {
namespace {

using winebench::PumpMessages;
using winebench::TapKey;

class ScanRun : public testing::Test {
 protected:
  static void SetUpTestSuite() { target_ = new KeyTarget; }
  static void TearDownTestSuite() {
    delete target_;
    target_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(target_->Created());
    // Wine types keypad keys as digits only while NumLock is on (Windows does so whatever its
    // state), and the tool types on the keypad.
    ASSERT_TRUE(winebench::EnsureNumLockOn(target_->Edit())) << "NumLock stays off";
    tool_ = std::make_unique<Tool>();
    ASSERT_TRUE(tool_->Started());
  }

  static void Register(const Tool& tool) {
    const MessageBoxInfo box = tool.ClickAndCloseBox(IDC_REGISTER_HOTKEY);
    ASSERT_TRUE(SameText(kRegistered, box.text));
  }

  // HOME as the operator presses it, with the focus in the target.
  static void PressHomeInTarget() {
    target_->Clear();
    ASSERT_TRUE(target_->Focus());
    TapKey(VK_HOME);
  }

  // Waits for a run that types nothing and shows no box: the tool back in its loop, and
  // time for stray keys to arrive.
  void ExpectNothingHappened() const {
    ASSERT_TRUE(tool_->Sync());
    PumpMessages(300);
    EXPECT_TRUE(target_->Keys().empty()) << target_->Keys().size() << " key events";
    EXPECT_TRUE(tool_->OpenBoxes().empty());
  }

  static KeyTarget* target_;
  std::unique_ptr<Tool> tool_;
};

KeyTarget* ScanRun::target_ = nullptr;

const std::vector<KeyStroke> kHomePress = {{WM_KEYDOWN, VK_HOME}};

TEST_F(ScanRun, HomeStartsARunOnlyWhileRegistered) {
  tool_->SetText(L"7-1");
  const std::vector<KeyStroke> typed = StrokesFor({"7-1"});

  PressHomeInTarget();
  ASSERT_TRUE(tool_->Sync());
  target_->WaitForKeys(1, 2000);
  EXPECT_TRUE(SameStrokes(kHomePress, target_->Strokes())) << "before 注册热键";

  Register(*tool_);
  PressHomeInTarget();
  target_->WaitForKeys(typed.size(), 10000);
  EXPECT_TRUE(SameStrokes(typed, target_->Strokes())) << "after 注册热键";
  EXPECT_FALSE(target_->GotHomePress());
  EXPECT_TRUE(SameText(L"7-1\r", target_->Chars())) << "keypad keys as characters";
  EXPECT_TRUE(SameText(L"7-1\r\n", target_->Text()));

  const MessageBoxInfo box = tool_->ClickAndCloseBox(IDC_UNREGISTER_HOTKEY);
  EXPECT_TRUE(SameText(kUnregistered, box.text));
  PressHomeInTarget();
  ASSERT_TRUE(tool_->Sync());
  target_->WaitForKeys(1, 2000);
  EXPECT_TRUE(SameStrokes(kHomePress, target_->Strokes())) << "after 注销热键";
}

TEST_F(ScanRun, RefusedOrEmptyTextsTypeNothing) {
  struct Case {
    const char* name;
    const wchar_t* text;
    const wchar_t* message;  // nullptr: no box at all
  } const cases[] = {
      {"empty", L"", kEnterText},
      {"last line malformed", L"0019280608-80\r\n0019280608", kBadFormat},
      {"a single space", L" ", kBadFormat},
      {"a single CR", L"\r", kBadFormat},
      {"only line breaks", L"\r\n\r\n", nullptr},
  };
  Register(*tool_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tool_->SetText(c.text);
    PressHomeInTarget();
    if (c.message != nullptr) {
      const MessageBoxInfo box = tool_->WaitForBox(5000);
      EXPECT_TRUE(SameText(c.message, box.text));
      EXPECT_TRUE(SameText(L"varn", box.caption));
      // Nothing may have been typed before the box, nor after it.
      PumpMessages(200);
      EXPECT_TRUE(target_->Keys().empty()) << target_->Keys().size() << " key events";
      if (box.hwnd != nullptr) {
        ASSERT_TRUE(tool_->CloseBox(box));
      }
    }
    ExpectNothingHappened();
    EXPECT_FALSE(target_->GotHomePress()) << "HOME was not taken as the hot key";
  }
}

TEST_F(ScanRun, Types80PiecesAtTheStandardSpeed) {
  const std::vector<std::string> codes = PieceCodes("0019280608-", 80);
  const std::vector<KeyStroke> expected = StrokesFor(codes);
  ASSERT_EQ(expected.size(), 2222u);
  tool_->SetText(L"0019280608-80");
  Register(*tool_);

  PressHomeInTarget();
  target_->WaitForKeys(expected.size(), 60000, 500);
  EXPECT_TRUE(SameStrokes(expected, target_->Strokes()));
  EXPECT_FALSE(target_->GotHomePress());
  EXPECT_TRUE(SameText(LinesOf(codes), target_->Text()));
  EXPECT_TRUE(tool_->OpenBoxes().empty());

  // "标准" pauses 5 ms after every key event: a lower bound on the gaps as received.
  const std::vector<ReceivedKey> keys = target_->Keys();
  EXPECT_GE(Median(Gaps(keys)), 5.0);
  EXPECT_GE(SpanMs(keys), 5.0 * static_cast<double>(keys.size() - 1) - 1.0);
}

TEST_F(ScanRun, TypesEveryLineFromTheTopDown) {
  struct Case {
    const char* name;
    const wchar_t* text;
    std::vector<std::string> codes;
  } const cases[] = {
      {"several lines, empty ones between",
       L"1-2\r\n\r\n22-1\r\n003-3\r\n",
       {"1-1", "1-2", "22-1", "003-1", "003-2", "003-3"}},
      {"counts 0 and empty type nothing", L"5-0\r\n6-\r\n8-1", {"8-1"}},
      {"no waybill digits", L"-2", {"-1", "-2"}},
      {"piece numbers of two digits", L"7-12", PieceCodes("7-", 12)},
  };
  Register(*tool_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tool_->SetText(c.text);
    const std::vector<KeyStroke> expected = StrokesFor(c.codes);
    PressHomeInTarget();
    target_->WaitForKeys(expected.size(), 20000);
    EXPECT_TRUE(SameStrokes(expected, target_->Strokes()));
    EXPECT_TRUE(SameText(LinesOf(c.codes), target_->Text()));
    EXPECT_TRUE(tool_->OpenBoxes().empty());
  }
}

TEST_F(ScanRun, AHotKeyMessageWithAnyIdentifierStartsARun) {
  // The handler looks at neither the identifier nor the key: any WM_HOTKEY is a HOME press.
  tool_->SetText(L"7-1");
  target_->Clear();
  ASSERT_TRUE(target_->Focus());
  PostMessageW(tool_->Dialog(), WM_HOTKEY, 5, MAKELPARAM(MOD_CONTROL, VK_END));
  const std::vector<KeyStroke> expected = StrokesFor({"7-1"});
  target_->WaitForKeys(expected.size(), 10000);
  EXPECT_TRUE(SameStrokes(expected, target_->Strokes()));
}

TEST_F(ScanRun, HomeWhileAMessageBoxIsOpenStartsARunInsideIt) {
  // The box's own modal loop delivers WM_HOTKEY, and nothing guards against that.
  Register(*tool_);
  tool_->SetText(L"");
  PressHomeInTarget();
  const MessageBoxInfo box = tool_->WaitForBox(5000);
  ASSERT_TRUE(SameText(kEnterText, box.text));

  tool_->SetText(L"7-1");
  PressHomeInTarget();
  const std::vector<KeyStroke> expected = StrokesFor({"7-1"});
  target_->WaitForKeys(expected.size(), 10000);
  EXPECT_TRUE(SameStrokes(expected, target_->Strokes()));
  EXPECT_EQ(tool_->OpenBoxes(), std::vector<HWND>{box.hwnd}) << "the first box is still open";
  EXPECT_TRUE(tool_->CloseBox(box));
}

TEST_F(ScanRun, HomeInTheToolsOwnEditBoxInsertsTheCodesAtTheCaret) {
  ASSERT_TRUE(tool_->EnsureNumLockOn()) << "NumLock stays off in the tool";
  Register(*tool_);
  tool_->SetText(L"7-2");
  ASSERT_TRUE(tool_->Focus(tool_->Edit()));
  tool_->SetSelection(3, 3);

  // The run reads "7-2" first; its keys wait in the tool's own queue until it returns. Had
  // HOME reached the edit box, the caret would have moved to the start of the line.
  TapKey(VK_HOME);
  const std::wstring expected = L"7-27-1\r\n7-2\r\n";
  std::wstring text;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 10000 && text != expected;) {
    ASSERT_TRUE(tool_->Sync());
    text = tool_->Text();
  }
  EXPECT_TRUE(SameText(expected, text));
  EXPECT_TRUE(tool_->OpenBoxes().empty());
}

TEST_F(ScanRun, RegistrationFailsHonestlyWhileAnotherProgramHoldsHome) {
  ASSERT_TRUE(RegisterHotKey(target_->Window(), 1, 0, VK_HOME));
  tool_->SetText(L"7-1");
  MessageBoxInfo box = tool_->ClickAndCloseBox(IDC_REGISTER_HOTKEY);
  EXPECT_TRUE(SameText(kRegisterFailed, box.text));
  EXPECT_TRUE(SameText(L"varn", box.caption));

  PressHomeInTarget();
  ASSERT_TRUE(tool_->Sync());
  PumpMessages(300);
  EXPECT_EQ(target_->HotKeys(), 1) << "HOME belongs to the other program";
  EXPECT_TRUE(target_->Keys().empty()) << target_->Keys().size() << " key events";
  EXPECT_TRUE(tool_->OpenBoxes().empty());

  // Once HOME is free, the same button registers it.
  UnregisterHotKey(target_->Window(), 1);
  box = tool_->ClickAndCloseBox(IDC_REGISTER_HOTKEY);
  EXPECT_TRUE(SameText(kRegistered, box.text));
  PressHomeInTarget();
  target_->WaitForKeys(8, 10000);
  EXPECT_TRUE(SameStrokes(StrokesFor({"7-1"}), target_->Strokes()));
}

TEST_F(ScanRun, ASecondCopyCannotTakeHomeFromTheFirst) {
  Tool second;
  ASSERT_TRUE(second.Started());
  tool_->SetText(L"7-1");
  second.SetText(L"8-1");
  Register(*tool_);

  const MessageBoxInfo box = second.ClickAndCloseBox(IDC_REGISTER_HOTKEY);
  EXPECT_TRUE(SameText(kRegisterFailed, box.text));

  PressHomeInTarget();
  target_->WaitForKeys(8, 10000);
  EXPECT_TRUE(SameStrokes(StrokesFor({"7-1"}), target_->Strokes())) << "only the first copy types";
  EXPECT_TRUE(second.OpenBoxes().empty());
}

TEST_F(ScanRun, SpeedButtonsSetThePauseAfterEveryKeyEvent) {
  struct Case {
    int id;
    const char* name;
    double pauseMs;
  } const cases[] = {
      // Rising pauses: a click that did not take would leave a shorter pause than expected.
      {IDC_SPEED_FASTEST, "最快", 0},
      {IDC_SPEED_FAST, "较快", 2},
      {IDC_SPEED_NORMAL, "标准", 5},
      {IDC_SPEED_SLOW, "较慢", 10},
  };
  const std::vector<KeyStroke> expected = StrokesFor({"0019280608-1"});
  tool_->SetText(L"0019280608-1");
  Register(*tool_);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tool_->Click(c.id);
    ASSERT_TRUE(tool_->Sync());
    for (int id = IDC_SPEED_FASTEST; id <= IDC_SPEED_SLOW; ++id) {
      EXPECT_EQ(tool_->IsChecked(id), id == c.id) << "radio button " << id;
    }
    PressHomeInTarget();
    target_->WaitForKeys(expected.size(), 10000);
    ASSERT_TRUE(SameStrokes(expected, target_->Strokes()));
    const std::vector<ReceivedKey> keys = target_->Keys();
    EXPECT_GE(Median(Gaps(keys)), c.pauseMs);
    EXPECT_GE(SpanMs(keys), c.pauseMs * static_cast<double>(keys.size() - 1) - 1.0);
  }
}

// Windows' default limit of about 30,000 characters would cut a long paste; its tail, here
// the one line that types anything, must survive and be typed.
TEST_F(ScanRun, APasteOfMoreThan40000CharactersIsKeptWhole) {
  std::wstring text;
  for (int i = 0; i < 3000; ++i) text += L"0019280608-0\r\n";
  text += L"7-1";
  ASSERT_GT(text.size(), 40000u);

  ASSERT_TRUE(OpenClipboard(target_->Window()));
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  CloseClipboard();
  ASSERT_TRUE(set);

  DWORD_PTR result = 0;
  SendMessageTimeoutW(tool_->Edit(), WM_PASTE, 0, 0, SMTO_NORMAL, 30000, &result);
  const std::wstring pasted = tool_->Text();
  EXPECT_EQ(pasted.size(), text.size());
  EXPECT_TRUE(pasted == text) << "the pasted text differs";

  Register(*tool_);
  PressHomeInTarget();
  target_->WaitForKeys(8, 10000);
  EXPECT_TRUE(SameStrokes(StrokesFor({"7-1"}), target_->Strokes()));
  EXPECT_TRUE(tool_->OpenBoxes().empty());
}

}  // namespace
}  // namespace varnbench
