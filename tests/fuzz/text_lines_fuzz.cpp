// TextOfLines over arbitrary text: every line ends in CR LF, no CR or LF stands alone, no
// character other than a break is lost, the breaks sit where the text had them, and a
// second pass changes nothing.
#include "fuzz_support.h"
#include "toolkit/text_lines.h"

namespace {

std::wstring WithoutBreaks(std::wstring_view text) {
  std::wstring rest;
  for (wchar_t c : text)
    if (c != L'\r' && c != L'\n') rest += c;
  return rest;
}

// The plain one-pass model: each break (CR LF, lone CR, lone LF) becomes CR LF, and a
// last line without a break gets one.
std::wstring ModelLines(std::wstring_view text) {
  std::wstring lines;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    if (text[i] == L'\r' || text[i] == L'\n')
      lines += L"\r\n";
    else
      lines += text[i];
  }
  if (!text.empty() && text.back() != L'\r' && text.back() != L'\n') lines += L"\r\n";
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = fuzz::Utf16Units(data, size);
  const std::wstring lines = toolkit::TextOfLines(text);

  FUZZ_CHECK(lines.empty() == text.empty());
  if (lines.empty()) return 0;
  FUZZ_CHECK(lines.ends_with(L"\r\n"));
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == L'\r') FUZZ_CHECK(i + 1 < lines.size() && lines[i + 1] == L'\n');
    if (lines[i] == L'\n') FUZZ_CHECK(i > 0 && lines[i - 1] == L'\r');
  }
  FUZZ_CHECK(WithoutBreaks(lines) == WithoutBreaks(text));
  FUZZ_CHECK(lines == ModelLines(text));
  // Allocated once at its exact size (libstdc++ reserves exactly what is asked once that
  // is past twice its inline buffer), so a large file is never copied twice.
  FUZZ_CHECK(lines.size() < 32 || lines.capacity() == lines.size());
  FUZZ_CHECK(toolkit::TextOfLines(lines) == lines);
  return 0;
}
