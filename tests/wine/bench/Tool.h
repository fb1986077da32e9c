// Drives a running copy of the tool from outside, through the Win32 API only: its dialog and
// controls, its message boxes, the focus inside it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "../../../resource.h"
#include "WineBench.h"

namespace varnbench {

// The tool's executable as given on the command line, as a Windows path.
const std::wstring& ToolPath();
void SetToolPath(const std::wstring& path);

// A path from the Linux side (CMake, the shell) as Wine's Z: drive sees it.
std::wstring ToWindowsPath(const std::wstring& path);

// Where the dialog's screenshot goes; empty for none.
const std::wstring& ScreenshotPath();
void SetScreenshotPath(const std::wstring& path);

// A copy of the tool under the given file name in a folder of this run; empty on failure.
std::wstring CopyToolAs(const std::wstring& fileName);

inline constexpr wchar_t kDialogTitle[] = L"varn扫描助手1.1";

// Texts of the tool's message boxes.
inline constexpr wchar_t kRegistered[] = L"注册成功，（热键为“HOME”键）";
inline constexpr wchar_t kRegisterFailed[] = L"注册热键失败：HOME键已被其他程序占用";
inline constexpr wchar_t kUnregistered[] = L"注销成功";
inline constexpr wchar_t kEnterText[] = L"请输入内容";
inline constexpr wchar_t kBadFormat[] = L"输入数据格式错误";

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::wstring caption;
  std::wstring text;
};

// One process of the tool. The destructor closes it (its boxes first) and kills it if it
// does not go.
class Tool {
 public:
  explicit Tool(const std::wstring& exePath = ToolPath());
  ~Tool();
  Tool(const Tool&) = delete;
  Tool& operator=(const Tool&) = delete;

  // False when the process did not start or showed no dialog.
  bool Started() const { return dialog_ != nullptr; }
  HWND Dialog() const { return dialog_; }
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  HWND Edit() const { return Item(IDC_WAYBILL_EDIT); }
  HANDLE Process() const { return process_; }
  DWORD ThreadId() const;
  bool Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

  // A click the way a mouse gives it; posted, since it may open a modal box.
  void Click(int id) const;
  // Clicks and returns the box that follows, closed again; hwnd null if none came.
  MessageBoxInfo ClickAndCloseBox(int id) const;

  // The first visible message box owned by the dialog, waiting up to timeoutMs.
  MessageBoxInfo WaitForBox(DWORD timeoutMs) const;
  // Closes the box with OK and waits for it to go.
  bool CloseBox(const MessageBoxInfo& box) const;
  // Every visible box the dialog owns right now.
  std::vector<HWND> OpenBoxes() const;

  // Returns once the tool's thread has handled everything queued before this call and is
  // back in a message loop; false if it stays busy for timeoutMs.
  bool Sync(DWORD timeoutMs = 30000) const;

  void SetText(const std::wstring& text) const;
  std::wstring Text() const;
  void SetSelection(int start, int end) const;
  bool IsChecked(int id) const;

  // Brings the dialog to the foreground and gives `control` the keyboard focus.
  bool Focus(HWND control) const;
  HWND FocusedControl() const;

  // Wine turns keypad keys into digits only while NumLock is on, and NumLock is kept per
  // thread: types keypad 5 into the tool's edit box, toggling NumLock until the digit
  // arrives. Leaves the edit box empty.
  bool EnsureNumLockOn() const;

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  HWND dialog_ = nullptr;
};

using winebench::WindowText;

// As UTF-8, which GoogleTest prints readably.
std::string Utf8(const std::wstring& text);
std::wstring ClassName(HWND hwnd);

// Saves the window as it shows on the screen to a PNG file.
bool SaveWindowPng(HWND hwnd, const std::wstring& path);

}  // namespace varnbench
