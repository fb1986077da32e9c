// Helpers for Win32 test programs that tests/wine/run-in-wine.sh runs under Wine.
#pragma once

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <string>

namespace winebench {

// Wine's console turns "\n" into CR LF in text mode; call first thing in main().
inline void SetBinaryStdout() { _setmode(_fileno(stdout), _O_BINARY); }

// run-in-wine.sh cannot see the exit code through Wine's explorer, so the program's last
// output line carries it: return ReportExitCode(RUN_ALL_TESTS()) from main().
inline int ReportExitCode(int code) {
  printf("WINE-EXIT-CODE: %d\n", code);
  fflush(stdout);
  return code;
}

// Runs this thread's message loop for about `ms` milliseconds; a plain Sleep would stall the
// thread's own windows and keep injected input from being translated.
inline void PumpMessages(DWORD ms) {
  const DWORD start = GetTickCount();
  for (DWORD elapsed = 0; elapsed < ms; elapsed = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

// Waits for a visible top-level window of class `cls` and title `title` (nullptr matches any),
// pumping messages meanwhile. Returns nullptr on timeout.
inline HWND WaitForTopLevelWindow(const wchar_t* cls, const wchar_t* title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls, title)) != nullptr;) {
      if (IsWindowVisible(w)) return w;
    }
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    PumpMessages(20);
  }
}

// Presses and releases a virtual key; Wine delivers it like typed input.
inline void TapKey(BYTE vk, DWORD flags = 0) {
  keybd_event(vk, 0, flags, 0);
  keybd_event(vk, 0, flags | KEYEVENTF_KEYUP, 0);
}

// A window's text read through its own thread (WM_GETTEXT), which also works for a window of
// another process and for text that only the control itself holds, such as an edit box's;
// GetWindowText would return only the server-side text there. "?" if the window does not answer.
inline std::wstring WindowText(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 10000, &length)) return L"?";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_NORMAL, 10000, &copied)) {
    return L"?";
  }
  text.resize(copied);
  return text;
}

// Wine types keypad digits only while NumLock is on, and its NumLock state cannot be read
// reliably right after a change, so this probes: it types keypad 5 (harmless with NumLock off)
// into `editForProbe` and toggles NumLock until the digit arrives. NumLock is per thread: probe
// the edit of the thread that will receive the keys. The edit may belong to another process;
// then its window must give it the focus on activation, as notepad's does.
// Leaves the edit empty and focused; returns false if NumLock never came on.
inline bool EnsureNumLockOn(HWND editForProbe, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  SetForegroundWindow(GetAncestor(editForProbe, GA_ROOT));
  SetFocus(editForProbe);
  for (;;) {
    SendMessageW(editForProbe, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    TapKey(VK_NUMPAD5);
    PumpMessages(100);
    const bool on = WindowText(editForProbe) == L"5";
    SendMessageW(editForProbe, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    if (on) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    TapKey(VK_NUMLOCK, KEYEVENTF_EXTENDEDKEY);
    PumpMessages(200);
  }
}

}  // namespace winebench
