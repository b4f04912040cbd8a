#include "toolkit/command_line.h"

namespace toolkit {
namespace {

bool IsSeparator(wchar_t c) { return c != L'\0' && c <= L' '; }

// Reads one argument starting at pos and leaves pos after it.
std::wstring NextParam(std::wstring_view line, size_t& pos) {
  const size_t n = line.size();
  auto at = [&](size_t i) { return i < n ? line[i] : L'\0'; };
  for (;;) {
    while (IsSeparator(at(pos))) ++pos;
    if (at(pos) == L'"' && at(pos + 1) == L'"')
      pos += 2;
    else
      break;
  }
  std::wstring param;
  while (at(pos) > L' ') {
    if (at(pos) == L'"') {
      ++pos;
      while (at(pos) != L'\0' && at(pos) != L'"') param += line[pos++];
      if (at(pos) == L'"') ++pos;
    } else {
      param += line[pos++];
    }
  }
  return param;
}

}  // namespace

std::wstring ParamStr(std::wstring_view commandLine, int index) {
  size_t pos = 0;
  std::wstring param;
  for (int i = 0; i <= index; ++i) {
    param = NextParam(commandLine, pos);
    if (param.empty() && pos >= commandLine.size()) return {};
  }
  return param;
}

}  // namespace toolkit
