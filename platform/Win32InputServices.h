#pragma once

#include "engine/InputServices.h"

namespace varn {

// The engine's input services on Win32: keybd_event, Sleep and MessageBoxA.
class Win32InputServices final : public InputServices {
public:
    // caption: the message boxes' caption, the application's name.
    explicit Win32InputServices(const char* caption);

    void KeyEvent(std::uint8_t virtualKey, bool keyUp) override;
    void Pause(std::uint32_t milliseconds) override;
    void ShowMessage(OwnerWindow owner, const char* text) override;

private:
    const char* caption_;
};

}  // namespace varn
