// The "other application" the tool types into: a top-level window of the bench with a plain
// multi-line edit box that records every key event and character reaching it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace varnbench {

struct KeyStroke {
  UINT message;  // WM_KEYDOWN or WM_KEYUP
  UINT vk;
  // The extended-key flag: set, Enter would be the keypad's Enter.
  bool extended = false;
  bool operator==(const KeyStroke& other) const {
    return message == other.message && vk == other.vk && extended == other.extended;
  }
};

struct ReceivedKey {
  KeyStroke stroke;
  LONGLONG ticks;  // QueryPerformanceCounter when the edit box got it
};

class KeyTarget {
 public:
  KeyTarget();
  ~KeyTarget();
  KeyTarget(const KeyTarget&) = delete;
  KeyTarget& operator=(const KeyTarget&) = delete;

  bool Created() const { return edit_ != nullptr; }
  HWND Window() const { return window_; }
  HWND Edit() const { return edit_; }

  // Forgets what arrived and empties the edit box.
  void Clear();
  // Brings the window to the foreground with the focus in the edit box.
  bool Focus();

  // Key events that reached the edit box, but the releases of HOME: the hot key takes only
  // the press, so its release always comes through.
  std::vector<ReceivedKey> Keys() const;
  std::vector<KeyStroke> Strokes() const;
  bool GotHomePress() const;
  int HotKeys() const { return hotKeys_; }
  // The characters the edit box got (WM_CHAR).
  const std::wstring& Chars() const { return chars_; }
  std::wstring Text() const;

  // Pumps messages until `count` keys have arrived and then none for quietMs; returns how
  // many arrived.
  size_t WaitForKeys(size_t count, DWORD timeoutMs, DWORD quietMs = 300);

  static double TicksToMs(LONGLONG ticks);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  HWND edit_ = nullptr;
  WNDPROC editProc_ = nullptr;
  std::vector<ReceivedKey> keys_;
  std::wstring chars_;
  int hotKeys_ = 0;
};

// The key strokes that typing these piece codes must give: for each code its characters on
// the keypad, then the main Enter, every key down then up.
std::vector<KeyStroke> StrokesFor(const std::vector<std::string>& codes);
// prefix + 1 ... prefix + count.
std::vector<std::string> PieceCodes(const std::string& prefix, int count);
// The codes each followed by CR LF, as an edit box shows them after the Enter keys.
std::wstring LinesOf(const std::vector<std::string>& codes);

std::string Describe(const KeyStroke& stroke);

}  // namespace varnbench
