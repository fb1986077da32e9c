#pragma once

#include "engine/InputServices.h"

namespace varn {

// The engine's input services on Win32: keybd_event, Sleep and MessageBoxA.
// One object serves one scan run. Sleep rounds up to the system timer's
// period (15.6 ms by default), so from its first key event to its end the
// run asks for a 1 ms timer; the destructor gives it back on every way out.
class Win32InputServices final : public InputServices {
public:
    // caption: the message boxes' caption, the application's name.
    explicit Win32InputServices(const char* caption);
    ~Win32InputServices() override;

    Win32InputServices(const Win32InputServices&) = delete;
    Win32InputServices& operator=(const Win32InputServices&) = delete;

    void KeyEvent(std::uint8_t virtualKey, bool keyUp) override;
    void Pause(std::uint32_t milliseconds) override;
    void ShowMessage(OwnerWindow owner, const char* text) override;

private:
    void AskForFineTimer();

    const char* caption_;
    bool fineTimerAsked_ = false;
    bool fineTimerGranted_ = false;
};

}  // namespace varn
