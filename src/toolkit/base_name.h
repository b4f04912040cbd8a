// The file name of a path without its extension: BaseName(L"C:\\memo\\a.b.txt") == L"a.b".
#pragma once
#include <string_view>

namespace toolkit {

// The name is what follows the last '\' or ':' ('/' is no delimiter); the extension runs
// from the name's last '.' on. A name without '.' is taken whole; ".txt" gives "".
std::wstring_view BaseName(std::wstring_view path);

}  // namespace toolkit
