#include "ScanList.h"

#include <cstring>
#include <limits>

namespace varn {

ScanList SplitLines(std::string_view text)
{
    // Count the breaks first, so the list is allocated once and written once,
    // then cut the lines from the end of the text back to its start.
    std::size_t breaks = 0;
    for (const char *p = text.data(), *end = p + text.size();
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))));
         ++p) {
        ++breaks;
    }
    ScanList lines;
    lines.reserve(breaks + 1);
    std::size_t end = text.size();
    for (std::size_t i = 0; i < breaks; ++i) {
        std::size_t lf = end;
        while (text[--lf] != '\n') {
        }
        lines.push_back(text.substr(lf + 1, end - lf - 1));
        // Only a CR directly before the LF belongs to the break; a bare LF
        // (pasted text) ends the line all the same.
        end = (lf > 0 && text[lf - 1] == '\r') ? lf - 1 : lf;
    }
    lines.push_back(text.substr(0, end));
    return lines;
}

bool IsDigitString(std::string_view text)
{
    for (const char c : text) {
        // Compared as plain bytes: 0x80 and above are never digits.
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::optional<std::int32_t> ParseCount(std::string_view digits)
{
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (const char c : digits) {
        value = value * 10 + (c - '0');
        if (value > kMax) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(value);
}

bool ValidateScanList(const ScanList& lines)
{
    for (const std::string_view line : lines) {
        if (line.empty()) {
            continue;
        }
        const std::size_t hyphen = line.rfind('-');
        if (hyphen == std::string_view::npos) {
            return false;
        }
        const std::string_view count = line.substr(hyphen + 1);
        if (!IsDigitString(line.substr(0, hyphen)) || !IsDigitString(count) ||
            !ParseCount(count)) {
            return false;
        }
    }
    return true;
}

}  // namespace varn
