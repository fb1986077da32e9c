#include "engine/PieceTyping.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/RecordingInput.h"

namespace varn {
namespace {

using test::Call;
using test::RecordingInput;
using test::TypedText;

std::vector<std::uint8_t> DownKeys(const std::vector<Call>& calls)
{
    std::vector<std::uint8_t> keys;
    for (const Call& call : calls) {
        if (call.kind == Call::Kind::KeyDown) {
            keys.push_back(call.virtualKey);
        }
    }
    return keys;
}

::testing::AssertionResult WellPaced(const std::vector<Call>& calls, std::uint32_t pause)
{
    std::string why;
    if (test::WellPaced(calls, pause, &why)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << why;
}

TEST(SpeedToPause, MapsTheFourSpeedsAndFallsBackToZero)
{
    const struct {
        std::int32_t speed;
        std::uint32_t pause;
    } cases[] = {{0, 0}, {1, 2}, {2, 5}, {3, 10}, {4, 0}, {-1, 0}, {INT32_MIN, 0}, {INT32_MAX, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(SpeedToPause(c.speed), c.pause) << "speed " << c.speed;
    }
}

TEST(PressKey, GoesDownPausesComesUpPauses)
{
    RecordingInput input;
    PressKey(input, 0x0D, 0);
    ASSERT_EQ(input.calls.size(), 4u);
    EXPECT_EQ(input.calls[0].kind, Call::Kind::KeyDown);
    EXPECT_EQ(input.calls[0].virtualKey, 0x0D);
    EXPECT_EQ(input.calls[1].kind, Call::Kind::Pause);
    EXPECT_EQ(input.calls[1].milliseconds, 0u);  // a zero pause is still a call
    EXPECT_EQ(input.calls[2].kind, Call::Kind::KeyUp);
    EXPECT_EQ(input.calls[2].virtualKey, 0x0D);
    EXPECT_EQ(input.calls[3].kind, Call::Kind::Pause);
}

TEST(TypePieceCode, UsesTheKeypadAndTheMainEnter)
{
    RecordingInput input;
    TypePieceCode(input, "7-10", 10);
    EXPECT_EQ(DownKeys(input.calls), (std::vector<std::uint8_t>{0x67, 0x6D, 0x61, 0x60, 0x0D}));
    EXPECT_TRUE(WellPaced(input.calls, 10));

    RecordingInput digits;
    TypePieceCode(digits, "0123456789-", 0);
    EXPECT_EQ(DownKeys(digits.calls), (std::vector<std::uint8_t>{0x60, 0x61, 0x62, 0x63, 0x64, 0x65,
                                                                  0x66, 0x67, 0x68, 0x69, 0x6D, 0x0D}));
}

TEST(ReplayScanList, TypesEachPieceOfALine)
{
    RecordingInput input;
    ReplayScanList(input, SplitLines("0019280608-3"), 5);
    const std::vector<std::uint8_t> waybill = {0x60, 0x60, 0x61, 0x69, 0x62,
                                               0x68, 0x60, 0x66, 0x60, 0x68, 0x6D};
    std::vector<std::uint8_t> expected;
    for (int piece : {0x61, 0x62, 0x63}) {
        expected.insert(expected.end(), waybill.begin(), waybill.end());
        expected.push_back(static_cast<std::uint8_t>(piece));
        expected.push_back(0x0D);
    }
    EXPECT_EQ(DownKeys(input.calls), expected);
    EXPECT_EQ(input.KeyEvents(), 3u * 26u);
    EXPECT_TRUE(WellPaced(input.calls, 5));
}

TEST(ReplayScanList, TypesWhatEachListSays)
{
    const struct {
        const char* text;
        const char* typed;
    } cases[] = {
        {"0019280608-0", ""},
        {"0019280608-", ""},
        {"-", ""},
        {"\r\n\r\n", ""},
        {"-2", "-1\n-2\n"},
        {"00-003", "00-1\n00-2\n00-3\n"},
        {"1-2\r\n\r\n22-1\r\n333-3\r\n", "1-1\n1-2\n22-1\n333-1\n333-2\n333-3\n"},
        {"1-1\n2-2", "1-1\n2-1\n2-2\n"},
    };
    for (const auto& c : cases) {
        RecordingInput input;
        ReplayScanList(input, SplitLines(c.text), 0);
        EXPECT_EQ(TypedText(input.calls), c.typed) << '"' << c.text << '"';
    }
}

TEST(ReplayScanList, TypesTheTenthPieceOfTwelveAsTwoDigits)
{
    RecordingInput input;
    ReplayScanList(input, SplitLines("7-12"), 0);
    const std::string typed = TypedText(input.calls);
    EXPECT_EQ(typed.substr(typed.find("7-9\n") + 4, 5), "7-10\n");
    EXPECT_EQ(typed.substr(typed.size() - 5), "7-12\n");
    EXPECT_EQ(std::count(typed.begin(), typed.end(), '\n'), 12);
}

TEST(TypePieceRange, StopsAtTheLargestCountWithoutWrapping)
{
    RecordingInput input;
    TypePieceRange(input, "9-", 2147483646, 2147483647, 0);
    EXPECT_EQ(TypedText(input.calls), "9-2147483646\n9-2147483647\n");
}

TEST(ReplayScanList, StreamsAHugeCountInsteadOfBuildingItFirst)
{
    // Two billion codes could never be built in memory; a run that streams
    // them reaches the budget at once.
    RecordingInput input(10'000);
    EXPECT_THROW(ReplayScanList(input, SplitLines("0019280608-2147483647"), 0),
                 test::EventBudgetSpent);
    EXPECT_EQ(input.KeyEvents(), 10'000u);
    const std::string typed = TypedText(input.calls);
    EXPECT_EQ(typed.substr(0, 26), "0019280608-1\n0019280608-2\n");
    EXPECT_TRUE(WellPaced(input.calls, 0));
}

}  // namespace
}  // namespace varn
