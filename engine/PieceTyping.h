#pragma once

#include <cstdint>
#include <string_view>

#include "InputServices.h"
#include "ScanList.h"

namespace varn {

inline constexpr std::uint8_t kVkReturn = 0x0D;    // the main Enter key
inline constexpr std::uint8_t kVkNumpad0 = 0x60;   // keypad digits are 0x60 + value
inline constexpr std::uint8_t kVkSubtract = 0x6D;  // keypad minus

// Milliseconds slept after every key event: 0, 2, 5 or 10 ms for the speed
// indexes 0 to 3, and 0 ms for any other index.
std::uint32_t SpeedToPause(std::int32_t speedIndex);

// Types every piece code of every non-empty line, top line first. The list
// must have passed ValidateScanList. Codes are built one at a time, so memory
// does not grow with the number of pieces.
void ReplayScanList(InputServices& input, const ScanList& lines, std::uint32_t pause);

// Types prefix + n for n from first to last, both included, in ascending order.
void TypePieceRange(InputServices& input, std::string_view prefix, std::int32_t first,
                    std::int32_t last, std::uint32_t pause);

// Types a code of digits and hyphens on the keypad, then Enter.
void TypePieceCode(InputServices& input, std::string_view code, std::uint32_t pause);

// Key down, pause, key up, pause.
void PressKey(InputServices& input, std::uint8_t virtualKey, std::uint32_t pause);

}  // namespace varn
