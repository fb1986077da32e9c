#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/InputServices.h"

namespace varn::test {

struct Call {
    enum class Kind { KeyDown, KeyUp, Pause, Message };
    Kind kind;
    std::uint8_t virtualKey = 0;
    std::uint32_t milliseconds = 0;
    std::string text;
    OwnerWindow owner = nullptr;
};

// Thrown by RecordingInput once its key-event budget is spent, to stop a run
// that would otherwise go on for billions of events.
struct EventBudgetSpent : std::runtime_error {
    EventBudgetSpent() : std::runtime_error("key-event budget spent") {}
};

// Records every call of a run, in order.
class RecordingInput final : public InputServices {
public:
    explicit RecordingInput(std::size_t keyEventBudget = SIZE_MAX) : budget_(keyEventBudget) {}

    void KeyEvent(std::uint8_t virtualKey, bool keyUp) override
    {
        if (keyEvents_ == budget_) {
            throw EventBudgetSpent();
        }
        ++keyEvents_;
        calls.push_back({keyUp ? Call::Kind::KeyUp : Call::Kind::KeyDown, virtualKey, 0, {}, nullptr});
    }

    void Pause(std::uint32_t milliseconds) override
    {
        calls.push_back({Call::Kind::Pause, 0, milliseconds, {}, nullptr});
    }

    void ShowMessage(OwnerWindow owner, const char* text) override
    {
        calls.push_back({Call::Kind::Message, 0, 0, text, owner});
    }

    std::size_t KeyEvents() const { return keyEvents_; }

    std::vector<Call> calls;

private:
    std::size_t budget_;
    std::size_t keyEvents_ = 0;
};

// What the key-down events would type into an edit box: keypad digits and
// minus as characters, Enter as '\n', anything else as '?'.
inline std::string TypedText(const std::vector<Call>& calls)
{
    std::string typed;
    for (const Call& call : calls) {
        if (call.kind != Call::Kind::KeyDown) {
            continue;
        }
        if (call.virtualKey >= 0x60 && call.virtualKey <= 0x69) {
            typed += static_cast<char>('0' + (call.virtualKey - 0x60));
        } else if (call.virtualKey == 0x6D) {
            typed += '-';
        } else if (call.virtualKey == 0x0D) {
            typed += '\n';
        } else {
            typed += '?';
        }
    }
    return typed;
}

}  // namespace varn::test

namespace varn::test {

// Every key event is a down directly followed by its up, and each event by
// one pause of the given length; no message in between.
inline bool WellPaced(const std::vector<Call>& calls, std::uint32_t pause, std::string* why)
{
    if (calls.size() % 4 != 0) {
        *why = "the calls do not form whole key presses";
        return false;
    }
    for (std::size_t i = 0; i < calls.size(); i += 4) {
        const Call& down = calls[i];
        const Call& up = calls[i + 2];
        if (down.kind != Call::Kind::KeyDown || up.kind != Call::Kind::KeyUp ||
            down.virtualKey != up.virtualKey) {
            *why = "call " + std::to_string(i) + " does not start a down-up pair";
            return false;
        }
        for (const Call* p : {&calls[i + 1], &calls[i + 3]}) {
            if (p->kind != Call::Kind::Pause || p->milliseconds != pause) {
                *why = "call " + std::to_string(i) + " is not followed by a pause of " +
                       std::to_string(pause) + " ms";
                return false;
            }
        }
    }
    return true;
}

}  // namespace varn::test
