// BaseName over arbitrary paths: the result is the name after the last '\' or ':' with
// only its last extension cut, and it is a view into the path itself.
#include "fuzz_support.h"
#include "toolkit/base_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring path = fuzz::Utf16Units(data, size);
  const std::wstring_view base = toolkit::BaseName(path);

  // A view into the path (never dangling), holding no delimiter.
  FUZZ_CHECK(base.size() <= path.size());
  FUZZ_CHECK(base.empty() || (base.data() >= path.data() && base.data() + base.size() <= path.data() + path.size()));
  FUZZ_CHECK(base.find_first_of(L"\\:") == std::wstring_view::npos);

  // The name is everything after the last delimiter; the base starts it.
  const size_t nameStart = base.empty() ? path.find_last_of(L"\\:") + 1 : static_cast<size_t>(base.data() - path.data());
  const std::wstring_view name = std::wstring_view(path).substr(nameStart);
  FUZZ_CHECK(name.find_first_of(L"\\:") == std::wstring_view::npos);
  FUZZ_CHECK(nameStart == 0 || path[nameStart - 1] == L'\\' || path[nameStart - 1] == L':');
  FUZZ_CHECK(name.substr(0, base.size()) == base);

  // What is cut is the last extension: '.' and no further '.'; a name without '.' stays whole.
  const std::wstring_view extension = name.substr(base.size());
  if (extension.empty()) {
    FUZZ_CHECK(name.find(L'.') == std::wstring_view::npos);
  } else {
    FUZZ_CHECK(extension[0] == L'.');
    FUZZ_CHECK(extension.find(L'.', 1) == std::wstring_view::npos);
  }
  return 0;
}
