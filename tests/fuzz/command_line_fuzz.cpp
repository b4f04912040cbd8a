// ParamStr over arbitrary command lines: what it returns always comes from the line, a
// quoted argument always comes back whole, and a quote-free line splits at 0x01..0x20.
#include "fuzz_support.h"
#include "toolkit/command_line.h"

#include <vector>

namespace {

bool IsSeparator(wchar_t c) { return c >= 0x01 && c <= 0x20; }

// The index-th piece between separators: the whole rule set for a line without quotes.
std::wstring SplitWithoutQuotes(std::wstring_view line, int index) {
  int i = -1;
  for (size_t pos = 0; pos < line.size();) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    const size_t start = pos;
    while (pos < line.size() && !IsSeparator(line[pos])) ++pos;
    if (pos > start && ++i == index) return std::wstring(line.substr(start, pos - start));
  }
  return {};
}

bool IsSubsequence(std::wstring_view part, std::wstring_view whole) {
  size_t k = 0;
  for (size_t i = 0; i < whole.size() && k < part.size(); ++i)
    if (whole[i] == part[k]) ++k;
  return k == part.size();
}

// A line as a shortcut writes it: the program and every argument in double quotes, with
// or without an empty quoted argument before each.
std::wstring QuotedLine(const std::vector<std::wstring>& args, bool emptyBefore) {
  std::wstring line = L"\"C:\\Program Files\\mimoruka.exe\"";
  for (const std::wstring& arg : args) line.append(emptyBefore ? L" \"\" \"" : L" \"").append(arg).append(L"\"");
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int index = data[0] % 8 - 1;  // -1 .. 6
  const std::wstring line = fuzz::Utf16Units(data + 1, size - 1);
  const std::wstring param = toolkit::ParamStr(line, index);

  FUZZ_CHECK(param.find(L'"') == std::wstring::npos);
  FUZZ_CHECK(param.find(L'\0') == std::wstring::npos);
  FUZZ_CHECK(IsSubsequence(param, line));
  if (index < 0) FUZZ_CHECK(param.empty());

  // The system hands the line over as a C string: a NUL ends it.
  const std::wstring_view beforeNul = std::wstring_view(line).substr(0, line.find(L'\0'));
  FUZZ_CHECK(toolkit::ParamStr(beforeNul, index) == param);
  if (beforeNul.find(L'"') == std::wstring_view::npos) FUZZ_CHECK(param == SplitWithoutQuotes(beforeNul, index));

  // Any text without quotes or NUL survives quoting, blanks and control characters included,
  // and an empty quoted argument before it vanishes.
  std::vector<std::wstring> args;
  std::wstring arg;
  for (wchar_t c : line) {
    if (c != L'"' && c != L'\0') {
      arg += c;
    } else if (!arg.empty() && args.size() < 16) {
      args.push_back(std::move(arg));
      arg.clear();
    }
  }
  if (!arg.empty() && args.size() < 16) args.push_back(std::move(arg));
  for (const bool emptyBefore : {false, true}) {
    const std::wstring quoted = QuotedLine(args, emptyBefore);
    FUZZ_CHECK(toolkit::ParamStr(quoted, 0) == L"C:\\Program Files\\mimoruka.exe");
    for (size_t k = 0; k < args.size(); ++k) FUZZ_CHECK(toolkit::ParamStr(quoted, static_cast<int>(k + 1)) == args[k]);
    FUZZ_CHECK(toolkit::ParamStr(quoted, static_cast<int>(args.size() + 1)).empty());
  }
  return 0;
}
