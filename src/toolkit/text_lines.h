// Line breaks of a reminder: TextOfLines(L"a\nb") == L"a\r\nb\r\n".
#pragma once
#include <string>
#include <string_view>

namespace toolkit {

// Splits text into lines at CR LF, a lone CR or a lone LF (LF CR is two breaks) and
// returns every line followed by CR LF. A break at the very end adds no empty line;
// an empty text gives an empty result. The result is allocated once, at its exact size.
std::wstring TextOfLines(std::wstring_view text);

}  // namespace toolkit
