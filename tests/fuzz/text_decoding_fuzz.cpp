// The decoding of a reminder file's bytes, over arbitrary bytes and over text saved in each
// encoding: text saved as UTF-8 or UTF-16 comes back as it was, invalid UTF-8 never passes
// as valid, the result never holds NUL or a broken surrogate from UTF-8, and the system
// code page gets exactly the bytes before the first NUL, only when nothing else fits.
#include "fuzz_support.h"
#include "toolkit/text_decoding.h"

namespace {

// Stands in for the system code page: one unit per byte, and it remembers its input.
bool codePageCalled = false;
std::string codePageBytes;

std::wstring FakeCodePage(std::string_view bytes) {
  codePageCalled = true;
  codePageBytes = bytes;
  std::wstring text;
  for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return text;
}

std::wstring Decode(std::string_view bytes) {
  codePageCalled = false;
  return toolkit::DecodeText(bytes, FakeCodePage);
}

std::string Utf16Bytes(std::wstring_view text, bool bigEndian) {
  std::string bytes;
  for (wchar_t unit : text) {
    const char high = static_cast<char>((unit >> 8) & 0xFF), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

std::wstring_view BeforeNul(std::wstring_view text) { return text.substr(0, text.find(L'\0')); }
std::string_view BeforeNul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

// UTF-16 units up to the first zero one; a last odd byte, when reached, is one U+FFFD.
std::wstring Utf16Model(std::string_view bytes, bool bigEndian) {
  std::wstring text;
  for (size_t i = 0; i < bytes.size(); i += 2) {
    if (i + 1 == bytes.size()) return text + L'\xFFFD';
    const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
    const wchar_t unit = static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
    if (unit == 0) break;
    text += unit;
  }
  return text;
}

bool HasNonAscii(std::wstring_view text) {
  for (wchar_t unit : text)
    if (unit >= 0x80) return true;
  return false;
}

bool IsAscii(std::string_view bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// Arbitrary bytes, as a file may hold them.
void CheckBytes(std::string_view bytes) {
  const std::wstring utf8 = toolkit::DecodeUtf8(bytes);
  FUZZ_CHECK(utf8.size() <= bytes.size());
  FUZZ_CHECK(fuzz::IsWellFormedUtf16(utf8));
  // An ASCII byte ends whatever sequence came before it.
  FUZZ_CHECK(toolkit::DecodeUtf8(std::string(bytes) + "a") == utf8 + L"a");
  const bool valid = IsAscii(bytes) || toolkit::IsNonAsciiUtf8(bytes);
  FUZZ_CHECK(valid == (fuzz::Utf8Of(utf8) == bytes));
  if (!valid) FUZZ_CHECK(utf8.find(L'\xFFFD') != std::wstring::npos);

  const std::wstring text = Decode(bytes);
  FUZZ_CHECK(text.find(L'\0') == std::wstring::npos);
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    FUZZ_CHECK(!codePageCalled);
    FUZZ_CHECK(text == toolkit::DecodeUtf8(BeforeNul(bytes.substr(3))));
  } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    FUZZ_CHECK(!codePageCalled);
    FUZZ_CHECK(text == Utf16Model(bytes.substr(2), bytes[0] == '\xFE'));
  } else if (toolkit::IsNonAsciiUtf8(BeforeNul(bytes))) {
    FUZZ_CHECK(!codePageCalled);
    FUZZ_CHECK(text == toolkit::DecodeUtf8(BeforeNul(bytes)));
  } else {
    FUZZ_CHECK(codePageCalled);
    FUZZ_CHECK(codePageBytes == BeforeNul(bytes));
    FUZZ_CHECK(text == FakeCodePage(codePageBytes));
  }
}

// Text saved in each encoding the decoder recognises comes back unchanged up to its first NUL.
void CheckSavedText(std::wstring text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (fuzz::IsHighSurrogate(text[i]) && i + 1 < text.size() && fuzz::IsLowSurrogate(text[i + 1]))
      ++i;
    else if (fuzz::IsHighSurrogate(text[i]) || fuzz::IsLowSurrogate(text[i]))
      text[i] = L'\xFFFD';  // a lone surrogate cannot be saved as UTF-8
  }
  const std::string utf8 = fuzz::Utf8Of(text);
  FUZZ_CHECK(toolkit::DecodeUtf8(utf8) == text);
  const std::wstring_view shown = BeforeNul(text);
  FUZZ_CHECK(toolkit::IsNonAsciiUtf8(utf8) == HasNonAscii(text));
  FUZZ_CHECK(Decode("\xEF\xBB\xBF" + utf8) == shown);
  FUZZ_CHECK(Decode("\xFF\xFE" + Utf16Bytes(text, false)) == shown);
  FUZZ_CHECK(Decode("\xFE\xFF" + Utf16Bytes(text, true)) == shown);
  // Without a mark: UTF-8 when there is more than ASCII before the NUL, else the code page,
  // which shows ASCII the same. A leading U+FEFF is the UTF-8 mark itself.
  const std::wstring noMark = Decode(utf8);
  FUZZ_CHECK(codePageCalled == !HasNonAscii(shown));
  FUZZ_CHECK(noMark == (shown.starts_with(L'\xFEFF') ? shown.substr(1) : shown));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckSavedText(fuzz::Utf16Units(data, size));
  return 0;
}
