#include "Win32InputServices.h"

#include <windows.h>

namespace varn {

Win32InputServices::Win32InputServices(const char* caption) : caption_(caption) {}

void Win32InputServices::KeyEvent(std::uint8_t virtualKey, bool keyUp)
{
    // Scan code 0 and never the extended flag: the main Enter, not the keypad's.
    keybd_event(virtualKey, 0, keyUp ? KEYEVENTF_KEYUP : 0, 0);
}

void Win32InputServices::Pause(std::uint32_t milliseconds)
{
    Sleep(milliseconds);
}

void Win32InputServices::ShowMessage(OwnerWindow owner, const char* text)
{
    MessageBoxA(static_cast<HWND>(owner), text, caption_, MB_OK);
}

}  // namespace varn
