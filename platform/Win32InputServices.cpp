#include "Win32InputServices.h"

#include <windows.h>
#include <timeapi.h>

namespace varn {
namespace {

constexpr UINT kFineTimerMilliseconds = 1;

// Windows 11 ignores a process's timer resolution while all its windows are
// hidden or occluded, which is the usual case while the operator works in the
// target application. Opt out of that. Looked up at run time, since older
// Windows versions have no such call.
void KeepTimerResolutionWhileHidden()
{
    using SetProcessInformationFn = BOOL(WINAPI*)(HANDLE, PROCESS_INFORMATION_CLASS, LPVOID, DWORD);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto setProcessInformation = kernel == nullptr
        ? nullptr
        : reinterpret_cast<SetProcessInformationFn>(
              reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessInformation")));
    if (setProcessInformation == nullptr) {
        return;
    }
    PROCESS_POWER_THROTTLING_STATE state = {};
    state.Version = PROCESS_POWER_THROTTLING_CURRENT_VERSION;
    state.ControlMask = PROCESS_POWER_THROTTLING_IGNORE_TIMER_RESOLUTION;
    state.StateMask = 0;
    setProcessInformation(GetCurrentProcess(), ProcessPowerThrottling, &state, sizeof state);
}

}  // namespace

Win32InputServices::Win32InputServices(const char* caption) : caption_(caption) {}

Win32InputServices::~Win32InputServices()
{
    if (fineTimerGranted_) {
        timeEndPeriod(kFineTimerMilliseconds);
    }
}

void Win32InputServices::AskForFineTimer()
{
    fineTimerAsked_ = true;
    KeepTimerResolutionWhileHidden();
    fineTimerGranted_ = timeBeginPeriod(kFineTimerMilliseconds) == TIMERR_NOERROR;
}

void Win32InputServices::KeyEvent(std::uint8_t virtualKey, bool keyUp)
{
    if (!fineTimerAsked_) {
        AskForFineTimer();
    }
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
