#include "Tool.h"

#include <gdiplus.h>

#include "WineBench.h"

namespace varnbench {

using winebench::PumpMessages;
using winebench::TapKey;

namespace {

std::wstring g_toolPath;
std::wstring g_screenshotPath;

struct FindDialog {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindDialogProc(HWND hwnd, LPARAM param) {
  auto* find = reinterpret_cast<FindDialog*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == find->processId && ClassName(hwnd) == L"#32770" &&
      GetWindow(hwnd, GW_OWNER) == nullptr && IsWindowVisible(hwnd)) {
    find->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

std::wstring RunFolder() {
  wchar_t temp[MAX_PATH] = L"";
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"varn-bench-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

}  // namespace

const std::wstring& ToolPath() { return g_toolPath; }
void SetToolPath(const std::wstring& path) { g_toolPath = path; }
const std::wstring& ScreenshotPath() { return g_screenshotPath; }
void SetScreenshotPath(const std::wstring& path) { g_screenshotPath = path; }

std::wstring ToWindowsPath(const std::wstring& path) {
  if (path.empty() || path[0] != L'/') return path;
  std::wstring windows = L"Z:" + path;
  for (wchar_t& c : windows) {
    if (c == L'/') c = L'\\';
  }
  return windows;
}

std::wstring CopyToolAs(const std::wstring& fileName) {
  const std::wstring copy = RunFolder() + L"\\" + fileName;
  return CopyFileW(ToolPath().c_str(), copy.c_str(), FALSE) ? copy : std::wstring();
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                      nullptr, nullptr);
  return utf8;
}

std::wstring ClassName(HWND hwnd) {
  wchar_t name[64] = L"";
  GetClassNameW(hwnd, name, 64);
  return name;
}

Tool::Tool(const std::wstring& exePath) {
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::wstring commandLine = L"\"" + exePath + L"\"";
  if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &si, &pi)) {
    return;
  }
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
  processId_ = pi.dwProcessId;
  WaitForInputIdle(process_, 10000);
  FindDialog find = {processId_, nullptr};
  for (DWORD start = GetTickCount(); GetTickCount() - start < 10000; PumpMessages(20)) {
    EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&find));
    if (find.found != nullptr) break;
  }
  dialog_ = find.found;
  if (dialog_ != nullptr) Sync();
}

Tool::~Tool() {
  if (process_ == nullptr) return;
  if (Running() && dialog_ != nullptr) {
    for (HWND box : OpenBoxes()) PostMessageW(box, WM_COMMAND, IDOK, 0);
    PostMessageW(dialog_, WM_CLOSE, 0, 0);
    for (DWORD start = GetTickCount(); Running() && GetTickCount() - start < 5000;) {
      PumpMessages(20);
    }
  }
  if (Running()) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

DWORD Tool::ThreadId() const { return GetWindowThreadProcessId(dialog_, nullptr); }

void Tool::Click(int id) const { PostMessageW(Item(id), BM_CLICK, 0, 0); }

MessageBoxInfo Tool::ClickAndCloseBox(int id) const {
  Click(id);
  MessageBoxInfo box = WaitForBox(5000);
  if (box.hwnd != nullptr) CloseBox(box);
  return box;
}

std::vector<HWND> Tool::OpenBoxes() const {
  std::vector<HWND> boxes;
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", nullptr)) != nullptr;) {
    if (GetWindow(w, GW_OWNER) == dialog_ && IsWindowVisible(w)) boxes.push_back(w);
  }
  return boxes;
}

MessageBoxInfo Tool::WaitForBox(DWORD timeoutMs) const {
  MessageBoxInfo box;
  for (DWORD start = GetTickCount();; PumpMessages(20)) {
    const std::vector<HWND> boxes = OpenBoxes();
    if (!boxes.empty()) {
      box.hwnd = boxes.front();
      break;
    }
    if (GetTickCount() - start >= timeoutMs) return box;
  }
  box.caption = WindowText(box.hwnd);
  // The message is the box's one Static child with text; the icon, if any, has none.
  for (HWND child = GetWindow(box.hwnd, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == L"Static") {
      std::wstring text = WindowText(child);
      if (!text.empty()) box.text = text;
    }
  }
  return box;
}

bool Tool::CloseBox(const MessageBoxInfo& box) const {
  PostMessageW(box.hwnd, WM_COMMAND, IDOK, 0);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; PumpMessages(20)) {
    if (!IsWindow(box.hwnd)) return true;
  }
  return false;
}

bool Tool::Sync(DWORD timeoutMs) const {
  // Sent messages overtake posted ones: let posted work and input reach the tool first.
  PumpMessages(100);
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

void Tool::SetText(const std::wstring& text) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(Edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                      10000, &result);
}

std::wstring Tool::Text() const { return WindowText(Edit()); }

void Tool::SetSelection(int start, int end) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(Edit(), EM_SETSEL, static_cast<WPARAM>(start), end, SMTO_NORMAL, 5000, &result);
}

bool Tool::IsChecked(int id) const {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(Item(id), BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &state);
  return state == BST_CHECKED;
}

HWND Tool::FocusedControl() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(ThreadId(), &info) ? info.hwndFocus : nullptr;
}

bool Tool::Focus(HWND control) const {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; PumpMessages(50)) {
    SetForegroundWindow(dialog_);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE,
                        SMTO_NORMAL, 5000, &result);
    if (GetForegroundWindow() == dialog_ && FocusedControl() == control) return true;
  }
  return false;
}

bool Tool::EnsureNumLockOn() const {
  if (!Focus(Edit())) return false;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 10000;) {
    SetText(L"");
    TapKey(VK_NUMPAD5);
    Sync();
    const bool on = Text() == L"5";
    SetText(L"");
    if (on) return true;
    TapKey(VK_NUMLOCK, KEYEVENTF_EXTENDEDKEY);
    Sync();
  }
  return false;
}

bool SaveWindowPng(HWND hwnd, const std::wstring& path) {
  RECT rect;
  if (!GetWindowRect(hwnd, &rect)) return false;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  bool saved = false;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok) {
    {
      const CLSID pngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
      Gdiplus::Bitmap image(bitmap, nullptr);
      saved = image.Save(path.c_str(), &pngEncoder, nullptr) == Gdiplus::Ok;
    }
    Gdiplus::GdiplusShutdown(token);
  }
  DeleteObject(bitmap);
  return saved;
}

}  // namespace varnbench
