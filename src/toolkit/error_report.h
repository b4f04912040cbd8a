// The text of the last-resort report for an error that ended the program.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace toolkit {

// "<class> がモジュール <module> の <offset> で発生しました。\r\n<message>[.]\r\n" with the
// offset as at least eight upper-case hexadecimal digits; "." is added when the message
// is not empty and does not already end with one.
std::wstring FormatErrorReport(std::wstring_view className, std::wstring_view moduleName,
                               std::uintptr_t offset, std::wstring_view message);

}  // namespace toolkit
