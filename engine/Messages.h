#pragma once

// The tool's own texts, as the code page 936 bytes that the ANSI message box
// expects. The sources stay UTF-8, so the bytes are spelled out here.
namespace varn::messages {

// "请输入内容"
inline constexpr char kEnterText[] = "\xC7\xEB\xCA\xE4\xC8\xEB\xC4\xDA\xC8\xDD";

// "输入数据格式错误"
inline constexpr char kBadFormat[] =
    "\xCA\xE4\xC8\xEB\xCA\xFD\xBE\xDD\xB8\xF1\xCA\xBD\xB4\xED\xCE\xF3";

}  // namespace varn::messages
