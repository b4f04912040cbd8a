// The accelerator character of a caption: the character after a single "&" ("&&" shows
// one "&" and marks nothing). Platform-free.
//   MnemonicOf(L"閉じる(&C)") == L'C'
#pragma once
#include <string_view>

namespace toolkit {

// The marked character as written, or 0 when the caption marks none.
wchar_t MnemonicOf(std::wstring_view caption);

}  // namespace toolkit
