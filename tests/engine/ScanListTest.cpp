#include "engine/ScanList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varn {
namespace {

std::vector<std::string> TopDown(std::string_view text)
{
    ScanList lines = SplitLines(text);
    return {lines.rbegin(), lines.rend()};
}

TEST(SplitLines, BuildsTheListFromTheLastLineUp)
{
    EXPECT_EQ(SplitLines("A\r\nB"), (ScanList{"B", "A"}));
}

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> topDown;
};

TEST(SplitLines, CutsAtEveryLineBreak)
{
    const SplitCase cases[] = {
        {"no break is one line", "0019280608-80", {"0019280608-80"}},
        {"empty text is one empty line", "", {""}},
        {"a trailing CR LF gives an empty last line", "A\r\n", {"A", ""}},
        {"two breaks give an empty line between", "A\r\n\r\nB\r\n", {"A", "", "B", ""}},
        {"only a break", "\r\n", {"", ""}},
        {"a lone CR stays in its line", "\r", {"\r"}},
        {"a CR before CR LF stays in the line", "1-1\r\r\n", {"1-1\r", ""}},
        {"a CR inside a line stays", "1-\r1\r\n2-2", {"1-\r1", "2-2"}},
        // A bare LF, as pasted from elsewhere, ends a line and removes nothing else.
        {"a bare LF keeps the byte before it", "1-12\n2-2", {"1-12", "2-2"}},
        {"a bare LF at the start", "\n1-3", {"", "1-3"}},
        {"a bare LF alone", "\n", {"", ""}},
        {"bare LF and CR LF mixed", "1-1\n2-2\r\n3-3\n", {"1-1", "2-2", "3-3", ""}},
        {"LF CR is a break, then a CR", "1-1\n\r2-2", {"1-1", "\r2-2"}},
        {"a text of one CR LF after a CR", "\r\r\n", {"\r", ""}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(TopDown(c.text), c.topDown) << c.name;
    }
}

TEST(IsDigitString, AcceptsOnlyAsciiDigits)
{
    const struct {
        std::string text;
        bool digits;
    } cases[] = {
        {"", true},
        {"0123456789", true},
        {"0019280608", true},
        {" 1", false},
        {"1 ", false},
        {"1-2", false},
        {"12a", false},
        {"\t", false},
        {"\r", false},
        {"\xEF\xBC\x91\xEF\xBC\x92", false},  // full-width digits in UTF-8
        {"\xA3\xB1\xA3\xB2", false},          // full-width digits in code page 936
        {"\xB0", false},                      // 0xB0 - 0x80 == '0'
        {"\xB9", false},
        {std::string("1\0" "2", 3), false},
        {"/", false},
        {":", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDigitString(c.text), c.digits) << '"' << c.text << '"';
    }
}

TEST(ParseCount, ReadsDecimalUpToTheLargestSigned32BitValue)
{
    EXPECT_EQ(ParseCount(""), 0);
    EXPECT_EQ(ParseCount("0"), 0);
    EXPECT_EQ(ParseCount("080"), 80);
    EXPECT_EQ(ParseCount("000000000000080"), 80);
    EXPECT_EQ(ParseCount("2147483647"), 2147483647);
    EXPECT_EQ(ParseCount("0002147483647"), 2147483647);
    EXPECT_EQ(ParseCount("2147483648"), std::nullopt);
    EXPECT_EQ(ParseCount("4294967297"), std::nullopt);  // would wrap to 1 in 32 bits
    EXPECT_EQ(ParseCount("99999999999999999999999"), std::nullopt);
}

TEST(ValidateScanList, ChecksEveryNonEmptyLine)
{
    const struct {
        std::string line;
        bool valid;
    } cases[] = {
        {"0019280608-80", true},
        {"00-080", true},
        {"-5", true},
        {"123-", true},
        {"-", true},
        {"", true},
        {"7-2147483647", true},
        {"7-0002147483647", true},
        {"7-2147483648", false},
        {"7-99999999999", false},
        {"0019280608", false},
        {"12-34-5", false},
        {"0019280608 -80", false},
        {"0019280608- 80", false},
        {" 0019280608-80", false},
        {"0019280608-80 ", false},
        {"0019280608-80\r", false},
        {"\r", false},
        {" ", false},
        {"\t1-1", false},
        {"a-1", false},
        {"\xA3\xB1-1", false},
        {"1-\xA3\xB1", false},
        {"1\xA3\xAD" "1", false},  // a full-width hyphen is not a hyphen
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValidateScanList({c.line}), c.valid) << '"' << c.line << '"';
    }
}

TEST(ValidateScanList, OneBadLineAnywhereSpoilsTheList)
{
    EXPECT_TRUE(ValidateScanList(SplitLines("\r\n1-2\r\n\r\n3-4\r\n")));
    EXPECT_FALSE(ValidateScanList(SplitLines("1-2\r\n3-4\r\nx")));
    EXPECT_FALSE(ValidateScanList(SplitLines("x\r\n1-2\r\n3-4")));
    EXPECT_FALSE(ValidateScanList(SplitLines("1-2\r\nx\r\n3-4")));
}

}  // namespace
}  // namespace varn
