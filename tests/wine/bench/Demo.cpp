#include "Demo.h"

#include <stdio.h>

#include <string>
#include <vector>

#include "Checks.h"
#include "Tool.h"
#include "WineBench.h"

namespace varnbench {

namespace {

// The three sample lines of the dialog's label, with small counts.
constexpr wchar_t kLines[] = L"0019280608-3\r\n0017524900-2\r\n0020384956-4";

// Notepad's window and its edit control, once both are up.
struct Notepad {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;
  HWND edit = nullptr;
};

bool StartNotepad(Notepad& notepad) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  wchar_t command[] = L"notepad.exe";
  if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &notepad.process)) {
    return false;
  }
  WaitForInputIdle(notepad.process.hProcess, 10000);
  notepad.window = winebench::WaitForTopLevelWindow(L"Notepad", nullptr, 10000);
  if (notepad.window == nullptr) return false;
  notepad.edit = FindWindowExW(notepad.window, nullptr, L"Edit", nullptr);
  return notepad.edit != nullptr;
}

std::wstring ExpectedText() {
  std::wstring text;
  for (const auto& [prefix, count] : std::vector<std::pair<std::wstring, int>>{
           {L"0019280608-", 3}, {L"0017524900-", 2}, {L"0020384956-", 4}}) {
    for (int piece = 1; piece <= count; ++piece) text += prefix + std::to_wstring(piece) + L"\r\n";
  }
  return text;
}

}  // namespace

int RunDemo(const std::wstring& screenshotPath) {
  Tool tool;
  Notepad notepad;
  if (!tool.Started() || !StartNotepad(notepad)) {
    printf("demo: the tool or notepad did not start\n");
    return 1;
  }
  // Side by side: notepad on the left, the tool on the right.
  SetWindowPos(notepad.window, nullptr, 20, 60, 560, 640, SWP_NOZORDER);
  SetWindowPos(tool.Dialog(), nullptr, 620, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  tool.SetText(kLines);
  const MessageBoxInfo box = tool.ClickAndCloseBox(IDC_REGISTER_HOTKEY);
  printf("demo: 注册热键 -> \"%s\"\n", Utf8(box.text).c_str());

  // Wine types keypad keys as digits only while NumLock is on, per thread (Windows does so
  // whatever its state): turn it on in notepad's.
  if (!winebench::EnsureNumLockOn(notepad.edit)) {
    printf("demo: NumLock stays off in notepad\n");
    return 1;
  }
  printf("demo: HOME pressed with the focus in notepad\n");
  winebench::TapKey(VK_HOME);

  const std::wstring expected = ExpectedText();
  std::wstring received;
  for (int waited = 0; waited < 30000 && received != expected; waited += 200) {
    winebench::PumpMessages(200);
    received = WindowText(notepad.edit);
  }
  printf("demo: notepad received:\n%s", Utf8(received).c_str());

  if (!screenshotPath.empty()) {
    const bool saved = SaveWindowPng(GetDesktopWindow(), screenshotPath);
    printf("demo: screenshot %s\n", saved ? "saved" : "failed");
  }

  // Unmodified, so that notepad closes without asking to save.
  SendMessageW(notepad.edit, EM_SETMODIFY, FALSE, 0);
  PostMessageW(notepad.window, WM_CLOSE, 0, 0);
  WaitForSingleObject(notepad.process.hProcess, 10000);
  CloseHandle(notepad.process.hProcess);
  CloseHandle(notepad.process.hThread);
  return received == expected ? 0 : 1;
}

}  // namespace varnbench
