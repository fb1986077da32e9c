#include "KeyTarget.h"

#include <stdio.h>

#include "WineBench.h"

namespace varnbench {

namespace {

constexpr wchar_t kClass[] = L"VarnBenchTarget";

KeyTarget* g_target = nullptr;

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

}  // namespace

KeyTarget::KeyTarget() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
  RegisterClassW(&wc);
  window_ = CreateWindowExW(0, kClass, L"varn bench target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                            20, 360, 700, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) return;
  // No scroll bars: Wine's edit box with one spends milliseconds per character and would
  // measure itself instead of the pacing. ES_AUTOVSCROLL, or it refuses lines below its bottom.
  edit_ = CreateWindowExW(0, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL |
                              ES_AUTOHSCROLL | ES_WANTRETURN,
                          8, 8, 330, 640, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (edit_ == nullptr) return;
  SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
  editProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
  keys_.reserve(1 << 16);
  g_target = this;
}

KeyTarget::~KeyTarget() {
  g_target = nullptr;
  if (window_ != nullptr) DestroyWindow(window_);
  UnregisterClassW(kClass, GetModuleHandleW(nullptr));
}

LRESULT CALLBACK KeyTarget::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HOTKEY && g_target != nullptr) ++g_target->hotKeys_;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK KeyTarget::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  KeyTarget* self = g_target;
  if (message == WM_KEYDOWN || message == WM_KEYUP) {
    const bool extended = (lParam & (1 << 24)) != 0;
    self->keys_.push_back({{message, static_cast<UINT>(wParam), extended}, Now()});
  } else if (message == WM_CHAR) {
    self->chars_.push_back(static_cast<wchar_t>(wParam));
  }
  return CallWindowProcW(self->editProc_, hwnd, message, wParam, lParam);
}

void KeyTarget::Clear() {
  winebench::PumpMessages(50);
  keys_.clear();
  chars_.clear();
  hotKeys_ = 0;
  SetWindowTextW(edit_, L"");
}

bool KeyTarget::Focus() {
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000;) {
    SetForegroundWindow(window_);
    SetFocus(edit_);
    winebench::PumpMessages(50);
    if (GetForegroundWindow() == window_ && GetFocus() == edit_) return true;
  }
  return false;
}

std::vector<ReceivedKey> KeyTarget::Keys() const {
  std::vector<ReceivedKey> keys;
  keys.reserve(keys_.size());
  for (const ReceivedKey& key : keys_) {
    if (!(key.stroke.message == WM_KEYUP && key.stroke.vk == VK_HOME)) keys.push_back(key);
  }
  return keys;
}

std::vector<KeyStroke> KeyTarget::Strokes() const {
  std::vector<KeyStroke> strokes;
  for (const ReceivedKey& key : Keys()) strokes.push_back(key.stroke);
  return strokes;
}

bool KeyTarget::GotHomePress() const {
  for (const ReceivedKey& key : keys_) {
    if (key.stroke.message == WM_KEYDOWN && key.stroke.vk == VK_HOME) return true;
  }
  return false;
}

std::wstring KeyTarget::Text() const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
  return text;
}

size_t KeyTarget::WaitForKeys(size_t count, DWORD timeoutMs, DWORD quietMs) {
  const DWORD start = GetTickCount();
  size_t seen = keys_.size();
  DWORD lastChange = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    winebench::PumpMessages(20);
    if (keys_.size() != seen) {
      seen = keys_.size();
      lastChange = GetTickCount();
    }
    if (Keys().size() >= count && GetTickCount() - lastChange >= quietMs) break;
  }
  return Keys().size();
}

double KeyTarget::TicksToMs(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

std::vector<KeyStroke> StrokesFor(const std::vector<std::string>& codes) {
  std::vector<KeyStroke> strokes;
  auto press = [&strokes](UINT vk) {
    strokes.push_back({WM_KEYDOWN, vk});
    strokes.push_back({WM_KEYUP, vk});
  };
  for (const std::string& code : codes) {
    for (char c : code) press(c == '-' ? VK_SUBTRACT : VK_NUMPAD0 + static_cast<UINT>(c - '0'));
    press(VK_RETURN);
  }
  return strokes;
}

std::vector<std::string> PieceCodes(const std::string& prefix, int count) {
  std::vector<std::string> codes;
  for (int piece = 1; piece <= count; ++piece) codes.push_back(prefix + std::to_string(piece));
  return codes;
}

std::wstring LinesOf(const std::vector<std::string>& codes) {
  std::wstring text;
  for (const std::string& code : codes) text += std::wstring(code.begin(), code.end()) + L"\r\n";
  return text;
}

std::string Describe(const KeyStroke& stroke) {
  char text[32];
  snprintf(text, sizeof text, "%s 0x%02X%s", stroke.message == WM_KEYDOWN ? "down" : "up", stroke.vk,
           stroke.extended ? " extended" : "");
  return text;
}

}  // namespace varnbench
