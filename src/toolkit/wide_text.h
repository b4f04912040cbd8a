// Conversion of system code page text (as the C++ runtime's messages come) to UTF-16.
#pragma once
#include <string>
#include <string_view>

namespace toolkit {

std::wstring WideFromSystemCodePage(std::string_view bytes);

}  // namespace toolkit
