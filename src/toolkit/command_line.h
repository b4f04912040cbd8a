// Splits a Windows command line by the classic rules of the platform's own
// programs: ParamStr(line, 0) is the program's name, ParamStr(line, 1) its first argument.
#pragma once
#include <string>
#include <string_view>

namespace toolkit {

// The index-th argument of commandLine, or an empty string when there is none.
// Characters 0x01..0x20 separate arguments; a double quote opens a stretch that runs
// to the next double quote (or the end) and the quotes are dropped; a backslash escapes
// nothing; pairs of double quotes at an argument's start are skipped together with the
// separators after them.
std::wstring ParamStr(std::wstring_view commandLine, int index);

}  // namespace toolkit
