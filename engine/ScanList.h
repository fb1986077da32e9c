#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace varn {

// The lines of the edit box text without their breaks, last line first:
// the list is built from the end of the text, and typing walks it backwards.
// The lines are views into the text, which must outlive the list; a run owns
// both. Views keep a list of millions of lines small and quick to build.
using ScanList = std::vector<std::string_view>;

// CR LF ends a line, and so does an LF on its own (pasted text); a CR that is
// not directly before an LF stays in its line.
ScanList SplitLines(std::string_view text);

// True when every non-empty line is waybill digits, "-", count digits, and
// the count fits a signed 32-bit number.
bool ValidateScanList(const ScanList& lines);

// True when every byte is an ASCII digit; true for the empty string.
bool IsDigitString(std::string_view text);

// The decimal value of digits (empty gives 0), or nothing when it exceeds
// 2147483647. Leading zeros do not count towards the value.
std::optional<std::int32_t> ParseCount(std::string_view digits);

}  // namespace varn
