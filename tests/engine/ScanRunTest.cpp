#include "engine/ScanRun.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "tests/support/RecordingInput.h"

namespace varn {
namespace {

using test::Call;
using test::RecordingInput;
using test::TypedText;

// The code page 936 bytes of a UTF-8 text, from the C library rather than the
// engine's own tables.
std::string Cp936(const std::string& utf8)
{
    iconv_t cd = iconv_open("CP936", "UTF-8");
    std::string in = utf8;
    std::string out(in.size() * 2, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size();
    size_t outLeft = out.size();
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    EXPECT_NE(done, static_cast<size_t>(-1)) << utf8;
    out.resize(out.size() - outLeft);
    return out;
}

int ownerToken;
OwnerWindow const kOwner = &ownerToken;

TEST(RunScan, MessagesAreCodePage936Bytes)
{
    EXPECT_EQ(Cp936("请输入内容"), "\xC7\xEB\xCA\xE4\xC8\xEB\xC4\xDA\xC8\xDD");
}

TEST(RunScan, RefusesWithOneMessageAndNoKeyEvent)
{
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "请输入内容"},
        {"0019280608-80\r\n0017524900-2O", "输入数据格式错误"},  // last line ends in a letter O
        {"1-2\r\nx\r\n3-4", "输入数据格式错误"},
        {" ", "输入数据格式错误"},
        {"\r", "输入数据格式错误"},
        {"1-1\r\r\n", "输入数据格式错误"},
        {"\r\n\r\n0019280608", "输入数据格式错误"},
        {"7-2147483648", "输入数据格式错误"},
        {"7-2147483647\r\n7-4294967297", "输入数据格式错误"},
        {"1-1\r\n\xD6\xD0", "输入数据格式错误"},  // a Chinese character in code page 936
    };
    for (const auto& c : cases) {
        for (std::int32_t speed : {0, 2}) {
            RecordingInput input;
            RunScan(input, speed, c.text, kOwner);
            ASSERT_EQ(input.calls.size(), 1u) << '"' << c.text << '"';
            EXPECT_EQ(input.calls[0].kind, Call::Kind::Message);
            EXPECT_EQ(input.calls[0].text, Cp936(c.message)) << '"' << c.text << '"';
            EXPECT_EQ(input.calls[0].owner, kOwner);
        }
    }
}

TEST(RunScan, TypesNothingAndSaysNothingForLineBreaksOnly)
{
    for (const char* text : {"\r\n", "\r\n\r\n\r\n", "\n", "1-0\r\n-\r\n"}) {
        RecordingInput input;
        RunScan(input, 2, text, kOwner);
        EXPECT_TRUE(input.calls.empty()) << '"' << text << '"';
    }
}

TEST(RunScan, TypesEightyPiecesAtTheStandardSpeed)
{
    RecordingInput input;
    RunScan(input, 2, "0019280608-80", kOwner);

    EXPECT_EQ(input.KeyEvents(), 2222u);
    std::string why;
    EXPECT_TRUE(test::WellPaced(input.calls, 5, &why)) << why;
    std::string expected;
    for (int piece = 1; piece <= 80; ++piece) {
        expected += "0019280608-" + std::to_string(piece) + "\n";
    }
    EXPECT_EQ(TypedText(input.calls), expected);
}

TEST(RunScan, TypesLinesTopToBottomAtEachSpeed)
{
    const struct {
        std::int32_t speed;
        std::uint32_t pause;
    } speeds[] = {{0, 0}, {1, 2}, {2, 5}, {3, 10}, {-1, 0}, {4, 0}};
    for (const auto& s : speeds) {
        RecordingInput input;
        RunScan(input, s.speed, "\r\n12-2\r\n\r\n3-1\n-2\r\n", kOwner);
        EXPECT_EQ(TypedText(input.calls), "12-1\n12-2\n3-1\n-1\n-2\n") << "speed " << s.speed;
        std::string why;
        EXPECT_TRUE(test::WellPaced(input.calls, s.pause, &why)) << "speed " << s.speed << ": " << why;
    }
}

}  // namespace
}  // namespace varn
