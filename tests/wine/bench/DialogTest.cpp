// The main dialog as the operator meets it: its window, controls and keyboard behaviour, how
// it closes, and the caption of its message boxes.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "Checks.h"
#include "Tool.h"
#include "WineBench.h"

namespace varnbench {
namespace {

using winebench::PumpMessages;
using winebench::TapKey;

class ToolDialog : public testing::Test {
 protected:
  void SetUp() override {
    tool_ = std::make_unique<Tool>();
    ASSERT_TRUE(tool_->Started()) << "no dialog from " << ToolPath();
  }

  std::unique_ptr<Tool> tool_;
};

struct ExpectedControl {
  int id;
  const wchar_t* className;
  const wchar_t* text;
  DWORD requiredStyle;  // besides WS_CHILD | WS_VISIBLE, which every control has
  bool tabStop;
  bool checked;
};

constexpr DWORD kTypeMask = 0x0F;  // BS_TYPEMASK

TEST_F(ToolDialog, OpensWithItsTitleControlsAndStartingState) {
  const HWND dialog = tool_->Dialog();
  // Checked first: anything the bench does later may move the focus.
  EXPECT_EQ(tool_->FocusedControl(), tool_->Item(IDC_REGISTER_HOTKEY)) << "focus on 注册热键";
  EXPECT_TRUE(SameText(kDialogTitle, WindowText(dialog)));

  const ExpectedControl expected[] = {
      {IDC_STATIC, L"Static", L"输入运单号及件数，形式如下，每行一条：", WS_GROUP, false, false},
      {IDC_REGISTER_HOTKEY, L"Button", L"注册热键", 0, true, false},
      {IDC_UNREGISTER_HOTKEY, L"Button", L"注销热键", 0, true, false},
      {IDC_WAYBILL_EDIT, L"Edit", L"", ES_MULTILINE | ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL,
       true, false},
      {IDC_STATIC, L"Static", L"0019280608-80 0017524900-20 0020384956-800", WS_GROUP, false, false},
      {IDC_STATIC, L"Static", L"扫描速度：", WS_GROUP, false, false},
      {IDC_SPEED_FASTEST, L"Button", L"最快", BS_AUTORADIOBUTTON | WS_GROUP, false, false},
      {IDC_SPEED_FAST, L"Button", L"较快", BS_AUTORADIOBUTTON, false, false},
      // The button control makes a checked radio button its group's tab stop.
      {IDC_SPEED_NORMAL, L"Button", L"标准", BS_AUTORADIOBUTTON, true, true},
      {IDC_SPEED_SLOW, L"Button", L"较慢", BS_AUTORADIOBUTTON, false, false},
  };
  HWND control = GetWindow(dialog, GW_CHILD);
  for (const ExpectedControl& want : expected) {
    SCOPED_TRACE(testing::Message() << "control " << want.id << " " << want.text);
    ASSERT_NE(control, nullptr) << "fewer controls than the template has";
    EXPECT_EQ(GetDlgCtrlID(control), want.id);
    EXPECT_EQ(_wcsicmp(ClassName(control).c_str(), want.className), 0) << ClassName(control);
    EXPECT_TRUE(SameText(want.text, WindowText(control)));
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), DWORD{WS_CHILD | WS_VISIBLE});
    EXPECT_EQ(style & want.requiredStyle & ~kTypeMask, want.requiredStyle & ~kTypeMask);
    if (want.requiredStyle & kTypeMask) {
      EXPECT_EQ(style & kTypeMask, want.requiredStyle & kTypeMask);
    }
    EXPECT_EQ((style & WS_TABSTOP) != 0, want.tabStop);
    if ((want.requiredStyle & kTypeMask) == BS_AUTORADIOBUTTON) {
      EXPECT_EQ(tool_->IsChecked(want.id), want.checked);
    }
    control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(control, nullptr) << "more controls than the template has";

  // Placed at 0,0 by its template: centred in the work area of its monitor when it opens.
  RECT window;
  ASSERT_TRUE(GetWindowRect(dialog, &window));
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor));
  const RECT& work = monitor.rcWork;
  EXPECT_NEAR(window.left + window.right, work.left + work.right, 1);
  EXPECT_NEAR(window.top + window.bottom, work.top + work.bottom, 1);

  if (!ScreenshotPath().empty()) {
    ASSERT_TRUE(tool_->Focus(tool_->Item(IDC_REGISTER_HOTKEY)));
    PumpMessages(500);
    EXPECT_TRUE(SaveWindowPng(dialog, ScreenshotPath())) << "screenshot not saved";
  }
}

// What the operator can see of the dialog; Esc and Enter must leave all of it as it was.
struct DialogState {
  bool running;
  bool visible;
  std::wstring title;
  std::wstring text;
  std::array<bool, 4> speeds;
  RECT rect;
  size_t boxes;

  bool operator==(const DialogState& o) const {
    return running == o.running && visible == o.visible && title == o.title && text == o.text &&
           speeds == o.speeds && EqualRect(&rect, &o.rect) && boxes == o.boxes;
  }
};

void PrintTo(const DialogState& s, std::ostream* os) {
  *os << (s.running ? "running" : "ended") << (s.visible ? ", visible" : ", hidden") << ", title "
      << testing::PrintToString(s.title) << ", text " << testing::PrintToString(s.text)
      << ", speeds " << s.speeds[0] << s.speeds[1] << s.speeds[2] << s.speeds[3] << ", at "
      << s.rect.left << "," << s.rect.top << ", " << s.boxes << " boxes";
}

DialogState StateOf(const Tool& tool) {
  DialogState state = {};
  state.running = tool.Running();
  state.visible = IsWindowVisible(tool.Dialog()) != FALSE;
  state.title = WindowText(tool.Dialog());
  state.text = tool.Text();
  for (int i = 0; i < 4; ++i) state.speeds[static_cast<size_t>(i)] = tool.IsChecked(IDC_SPEED_FASTEST + i);
  GetWindowRect(tool.Dialog(), &state.rect);
  state.boxes = tool.OpenBoxes().size();
  return state;
}

TEST_F(ToolDialog, EscAnywhereAndEnterOnAButtonChangeNothing) {
  struct Case {
    const char* name;
    int focus;
    BYTE key;
  } const cases[] = {
      {"Esc in the edit box", IDC_WAYBILL_EDIT, VK_ESCAPE},
      {"Esc on 注册热键", IDC_REGISTER_HOTKEY, VK_ESCAPE},
      {"Esc on 标准", IDC_SPEED_NORMAL, VK_ESCAPE},
      {"Enter on 标准", IDC_SPEED_NORMAL, VK_RETURN},
  };
  tool_->SetText(L"0019280608-80");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(tool_->Focus(tool_->Item(c.focus)));
    const DialogState before = StateOf(*tool_);
    TapKey(c.key);
    tool_->Sync();
    PumpMessages(200);
    EXPECT_EQ(StateOf(*tool_), before);
    if (!tool_->Running()) return;
    for (HWND box : tool_->OpenBoxes()) tool_->CloseBox({box, L"", L""});
  }
}

TEST_F(ToolDialog, EnterInTheEditBoxStartsANewLine) {
  tool_->SetText(L"0019280608-80");
  ASSERT_TRUE(tool_->Focus(tool_->Edit()));
  tool_->SetSelection(13, 13);
  TapKey(VK_RETURN);
  ASSERT_TRUE(tool_->Sync());
  EXPECT_TRUE(SameText(L"0019280608-80\r\n", tool_->Text()));
  EXPECT_TRUE(tool_->Running());
  EXPECT_TRUE(tool_->OpenBoxes().empty());
}

TEST(ToolClose, CloseBoxEndsTheProcess) {
  struct Case {
    const char* name;
    UINT message;
    WPARAM wParam;
  } const cases[] = {
      {"WM_CLOSE", WM_CLOSE, 0},
      {"SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tool tool;
    ASSERT_TRUE(tool.Started());
    PostMessageW(tool.Dialog(), c.message, c.wParam, 0);
    bool ended = false;
    for (DWORD start = GetTickCount(); !ended && GetTickCount() - start < 5000; PumpMessages(20)) {
      ended = !tool.Running();
    }
    EXPECT_TRUE(ended) << "the process is still running 5 s later";
  }
}

// The caption is the executable's file name without its folder and last extension, both on
// the dialog's own boxes and on those of a scan run.
TEST(ToolCaption, FollowsTheExecutablesName) {
  struct Case {
    const wchar_t* file;
    const wchar_t* caption;
  } const cases[] = {
      {L"varn.exe", L"varn"},
      {L"scan.exe", L"scan"},
      {L"scan.old.exe", L"scan.old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file);
    const std::wstring copy = CopyToolAs(c.file);
    ASSERT_FALSE(copy.empty()) << "cannot copy the tool";
    Tool tool(copy);
    ASSERT_TRUE(tool.Started());

    MessageBoxInfo box = tool.ClickAndCloseBox(IDC_REGISTER_HOTKEY);
    EXPECT_TRUE(SameText(kRegistered, box.text));
    EXPECT_TRUE(SameText(c.caption, box.caption));

    // An empty edit box: HOME gives the run's own box.
    TapKey(VK_HOME);
    box = tool.WaitForBox(5000);
    EXPECT_TRUE(SameText(kEnterText, box.text));
    EXPECT_TRUE(SameText(c.caption, box.caption));
    if (box.hwnd != nullptr) tool.CloseBox(box);

    box = tool.ClickAndCloseBox(IDC_UNREGISTER_HOTKEY);
    EXPECT_TRUE(SameText(kUnregistered, box.text));
    EXPECT_TRUE(SameText(c.caption, box.caption));
  }
}

}  // namespace
}  // namespace varnbench
