// Feeds arbitrary bytes through RunScan and checks every recorded call against
// a plain model of what the tool must do. The first byte picks the speed
// index (as a signed byte, so out-of-range speeds occur); the rest is the text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ScanRun.h"
#include "tests/support/RecordingInput.h"

namespace {

using varn::test::Call;

constexpr std::size_t kKeyEventBudget = 4000;

[[noreturn]] void Fail(const char* what, std::string_view text)
{
    std::fprintf(stderr, "invariant broken: %s (text of %zu bytes)\n", what, text.size());
    std::abort();
}

// The model: lines end at every LF, and one CR directly before it goes with it.
std::vector<std::string> ModelLines(std::string_view text)
{
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\n') {
            if (!lines.back().empty() && lines.back().back() == '\r') {
                lines.back().pop_back();
            }
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

bool AllDigits(std::string_view s)
{
    for (const unsigned char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// Count digits, already known to be digits, that fit a signed 32-bit value.
bool CountFits(std::string_view digits)
{
    while (!digits.empty() && digits.front() == '0') {
        digits.remove_prefix(1);
    }
    return digits.size() < 10 || (digits.size() == 10 && digits <= "2147483647");
}

bool WellFormed(const std::string& line)
{
    const std::size_t hyphen = line.rfind('-');
    if (hyphen == std::string::npos) {
        return false;
    }
    const std::string_view count = std::string_view(line).substr(hyphen + 1);
    return AllDigits(std::string_view(line).substr(0, hyphen)) && AllDigits(count) &&
           CountFits(count);
}

// What the run types, as characters with '\n' for Enter, cut off once it is
// longer than limit characters.
std::string ModelTyping(const std::vector<std::string>& lines, std::size_t limit)
{
    std::string typed;
    for (const std::string& line : lines) {
        if (line.empty()) {
            continue;
        }
        const std::size_t hyphen = line.rfind('-');
        const long long count = std::atoll(line.c_str() + hyphen + 1);
        for (long long piece = 1; piece <= count; ++piece) {
            typed += line.substr(0, hyphen + 1) + std::to_string(piece) + "\n";
            if (typed.size() > limit) {
                return typed;
            }
        }
    }
    return typed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::int32_t speed = static_cast<std::int8_t>(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::uint32_t pause = speed == 1 ? 2 : speed == 2 ? 5 : speed == 3 ? 10 : 0;
    int owner = 0;

    varn::test::RecordingInput input(kKeyEventBudget);
    bool budgetSpent = false;
    try {
        varn::RunScan(input, speed, text, &owner);
    } catch (const varn::test::EventBudgetSpent&) {
        budgetSpent = true;
    }

    const std::vector<std::string> lines = ModelLines(text);
    bool malformed = false;
    for (const std::string& line : lines) {
        malformed = malformed || (!line.empty() && !WellFormed(line));
    }
    if (text.empty() || malformed) {
        const std::string expected = text.empty() ? "\xC7\xEB\xCA\xE4\xC8\xEB\xC4\xDA\xC8\xDD"
                                                  : "\xCA\xE4\xC8\xEB\xCA\xFD\xBE\xDD\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3";
        if (input.calls.size() != 1 || input.calls[0].kind != Call::Kind::Message ||
            input.calls[0].text != expected || input.calls[0].owner != &owner) {
            Fail("a refused text must give exactly its one message", text);
        }
        return 0;
    }

    std::string why;
    if (!varn::test::WellPaced(input.calls, pause, &why)) {
        Fail(why.c_str(), text);
    }
    const std::string typed = varn::test::TypedText(input.calls);
    if (typed.find('?') != std::string::npos) {
        Fail("a key outside the keypad digits, keypad minus and Enter", text);
    }
    const std::string expected = ModelTyping(lines, kKeyEventBudget / 2);
    if (budgetSpent ? expected.compare(0, typed.size(), typed) != 0 : typed != expected) {
        Fail("typed characters differ from the expansion of the lines", text);
    }
    if (!budgetSpent && !typed.empty() && typed.back() != '\n') {
        Fail("the last code is not closed by Enter", text);
    }
    return 0;
}
