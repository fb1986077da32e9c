#include "ScanList.h"

#include <cstring>
#include <limits>

namespace varn {

ScanList SplitLines(std::string_view text)
{
    // One forward pass with memchr to count the lines, then one to cut them,
    // filling the list from its end: no reallocation, and the text is never
    // copied tail by tail.
    std::size_t breaks = 0;
    for (const char* p = text.data(), *end = p + text.size();
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))));
         ++p) {
        ++breaks;
    }
    ScanList lines(breaks + 1);
    auto slot = lines.rbegin();
    std::size_t start = 0;
    for (std::size_t i = 0; i < breaks; ++i, ++slot) {
        const std::size_t lf = static_cast<std::size_t>(
            static_cast<const char*>(std::memchr(text.data() + start, '\n', text.size() - start)) -
            text.data());
        // CR LF ends a line, and so does a bare LF; only a CR directly before
        // the LF belongs to the break.
        const std::size_t lineEnd = (lf > start && text[lf - 1] == '\r') ? lf - 1 : lf;
        *slot = text.substr(start, lineEnd - start);
        start = lf + 1;
    }
    *slot = text.substr(start);
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
