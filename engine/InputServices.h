#pragma once

#include <cstdint>

namespace varn {

// The window that owns a run's message boxes. The engine only passes it on.
using OwnerWindow = void*;

// Everything a scan run asks of the operating system: one key event, one pause
// and one modal message box. The Win32 implementation types for real; the
// tests record the calls.
class InputServices {
public:
    virtual ~InputServices() = default;

    virtual void KeyEvent(std::uint8_t virtualKey, bool keyUp) = 0;
    virtual void Pause(std::uint32_t milliseconds) = 0;
    // text is code page 936 bytes; the box is modal with one OK button.
    virtual void ShowMessage(OwnerWindow owner, const char* text) = 0;
};

}  // namespace varn
