#include "toolkit/mnemonic.h"

namespace toolkit {

wchar_t MnemonicOf(std::wstring_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return caption[i + 1];
    ++i;  // "&&": a literal ampersand
  }
  return 0;
}

}  // namespace toolkit
