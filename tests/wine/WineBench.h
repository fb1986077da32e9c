// Helpers for Win32 test programs that tests/wine/run-in-wine.sh runs under Wine.
#pragma once

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

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

// Wine types keypad digits only while NumLock is on, and its NumLock state cannot be read
// reliably right after a change, so this probes: it types keypad 5 (harmless with NumLock off)
// into `editForProbe`, an edit control of the calling thread, and toggles NumLock until the
// digit arrives. NumLock is per thread: probe in the thread that will receive the keys.
// Leaves the edit empty and focused; returns false if NumLock never came on.
inline bool EnsureNumLockOn(HWND editForProbe, DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  SetForegroundWindow(GetAncestor(editForProbe, GA_ROOT));
  SetFocus(editForProbe);
  for (;;) {
    SetWindowTextW(editForProbe, L"");
    TapKey(VK_NUMPAD5);
    PumpMessages(100);
    wchar_t text[8] = L"";
    GetWindowTextW(editForProbe, text, 8);
    SetWindowTextW(editForProbe, L"");
    if (text[0] == L'5') return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    TapKey(VK_NUMLOCK, KEYEVENTF_EXTENDEDKEY);
    PumpMessages(200);
  }
}

}  // namespace winebench
