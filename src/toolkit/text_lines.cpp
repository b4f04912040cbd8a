#include "toolkit/text_lines.h"

namespace toolkit {
namespace {

// Length of the line break at text[i], or 0 when there is none.
size_t BreakLength(std::wstring_view text, size_t i) {
  if (text[i] == L'\n') return 1;
  if (text[i] != L'\r') return 0;
  return i + 1 < text.size() && text[i + 1] == L'\n' ? 2 : 1;
}

}  // namespace

std::wstring TextOfLines(std::wstring_view text) {
  if (text.empty()) return {};
  // First pass: every lone CR or LF grows by one; a last line without a break gains two.
  size_t size = text.size();
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t len = BreakLength(text, i);
    if (len == 1) ++size;
    if (len == 2) ++i;
  }
  if (BreakLength(text, text.size() - 1) == 0) size += 2;

  std::wstring result;
  result.reserve(size);
  size_t lineStart = 0;
  for (size_t i = 0; i < text.size();) {
    const size_t len = BreakLength(text, i);
    if (len == 0) {
      ++i;
      continue;
    }
    result.append(text.substr(lineStart, i - lineStart)).append(L"\r\n");
    i += len;
    lineStart = i;
  }
  if (lineStart < text.size()) result.append(text.substr(lineStart)).append(L"\r\n");
  return result;
}

}  // namespace toolkit
