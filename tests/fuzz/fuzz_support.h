// Helpers shared by the fuzz targets: a check that stops the run with the broken property,
// and the conversions between fuzzer bytes and the program's UTF-16 text.
//   FUZZ_CHECK(result.ends_with(L"\r\n"));
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// A broken property is a finding: print it and abort, so that libFuzzer saves the input.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

namespace fuzz {

// The bytes as UTF-16 code units, little-endian, as Windows hands text to the program.
// A last odd byte is dropped.
inline std::wstring Utf16Units(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  text.reserve(size / 2);
  for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
  return text;
}

inline bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// True when every surrogate in text is part of a high-low pair.
inline bool IsWellFormedUtf16(std::wstring_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
      ++i;
    else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]))
      return false;
  }
  return true;
}

// Well-formed UTF-16 to UTF-8; written independently of the decoder under test.
inline std::string Utf8Of(std::wstring_view text) {
  std::string bytes;
  const auto put = [&](unsigned value) { bytes += static_cast<char>(value); };
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = static_cast<char16_t>(text[i]);
    if (IsHighSurrogate(text[i])) cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char16_t>(text[++i]) - 0xDC00);
    if (cp < 0x80) {
      put(cp);
    } else if (cp < 0x800) {
      put(0xC0 | (cp >> 6)), put(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      put(0xE0 | (cp >> 12)), put(0x80 | ((cp >> 6) & 0x3F)), put(0x80 | (cp & 0x3F));
    } else {
      put(0xF0 | (cp >> 18)), put(0x80 | ((cp >> 12) & 0x3F)), put(0x80 | ((cp >> 6) & 0x3F)), put(0x80 | (cp & 0x3F));
    }
  }
  return bytes;
}

}  // namespace fuzz
