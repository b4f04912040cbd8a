#include "toolkit/base_name.h"

namespace toolkit {

std::wstring_view BaseName(std::wstring_view path) {
  const size_t delimiter = path.find_last_of(L"\\:");
  std::wstring_view name = delimiter == std::wstring_view::npos ? path : path.substr(delimiter + 1);
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring_view::npos ? name : name.substr(0, dot);
}

}  // namespace toolkit
