#include "PieceTyping.h"

#include <charconv>
#include <string>

namespace varn {

std::uint32_t SpeedToPause(std::int32_t speedIndex)
{
    switch (speedIndex) {
    case 1: return 2;
    case 2: return 5;
    case 3: return 10;
    default: return 0;
    }
}

void PressKey(InputServices& input, std::uint8_t virtualKey, std::uint32_t pause)
{
    input.KeyEvent(virtualKey, false);
    input.Pause(pause);
    input.KeyEvent(virtualKey, true);
    input.Pause(pause);
}

void TypePieceCode(InputServices& input, std::string_view code, std::uint32_t pause)
{
    for (const char c : code) {
        const std::uint8_t key =
            c == '-' ? kVkSubtract : static_cast<std::uint8_t>(kVkNumpad0 + (c - '0'));
        PressKey(input, key, pause);
    }
    PressKey(input, kVkReturn, pause);
}

void TypePieceRange(InputServices& input, std::string_view prefix, std::int32_t first,
                    std::int32_t last, std::uint32_t pause)
{
    std::string code(prefix);
    char digits[16];
    // A 64-bit counter, so that a range ending at the largest count stops
    // there instead of wrapping.
    for (std::int64_t piece = first; piece <= last; ++piece) {
        const auto written = std::to_chars(digits, digits + sizeof digits, piece);
        code.resize(prefix.size());
        code.append(digits, written.ptr);
        TypePieceCode(input, code, pause);
    }
}

void ReplayScanList(InputServices& input, const ScanList& lines, std::uint32_t pause)
{
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->empty()) {
            continue;
        }
        const std::size_t hyphen = line->rfind('-');
        const std::int32_t count = ParseCount(line->substr(hyphen + 1)).value_or(0);
        TypePieceRange(input, line->substr(0, hyphen + 1), 1, count, pause);
    }
}

}  // namespace varn
