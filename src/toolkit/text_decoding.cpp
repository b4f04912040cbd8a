#include "toolkit/text_decoding.h"

namespace toolkit {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// One step of UTF-8 decoding at bytes[i]: a well-formed sequence gives its code point,
// an ill-formed one its maximal valid prefix (at least one byte), to become one U+FFFD.
struct Utf8Step {
  size_t length;
  bool valid;
  char32_t codePoint;
};

Utf8Step NextUtf8(std::string_view bytes, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return {1, true, lead};
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return {1, false, 0};
  }
  char32_t cp = lead & (0xFF >> (length + 1));
  for (size_t k = 1; k < length; ++k) {
    if (i + k >= bytes.size()) return {k, false, 0};
    const unsigned char b = byte(i + k);
    if (k == 1 ? (b < low || b > high) : (b & 0xC0) != 0x80) return {k, false, 0};
    cp = (cp << 6) | (b & 0x3F);
  }
  return {length, true, cp};
}

void AppendUtf16(std::wstring& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<wchar_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (cp >> 10));
    out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
  }
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::wstring out;
  out.reserve(bytes.size() / 2 + 1);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    const wchar_t unit = static_cast<wchar_t>(bigEndian ? (b0 << 8) | b1 : (b1 << 8) | b0);
    if (unit == 0) return out;
    out += unit;
  }
  if (bytes.size() % 2 != 0) out += kReplacement;
  return out;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

std::string_view CutAtNul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace

std::wstring DecodeUtf8(std::string_view bytes) {
  std::wstring out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const Utf8Step step = NextUtf8(bytes, i);
    if (step.valid)
      AppendUtf16(out, step.codePoint);
    else
      out += kReplacement;
    i += step.length;
  }
  return out;
}

bool IsNonAsciiUtf8(std::string_view bytes) {
  bool nonAscii = false;
  for (size_t i = 0; i < bytes.size();) {
    const Utf8Step step = NextUtf8(bytes, i);
    if (!step.valid) return false;
    nonAscii = nonAscii || step.length > 1;
    i += step.length;
  }
  return nonAscii;
}

std::wstring DecodeText(std::string_view bytes, CodePageDecoder decodeSystemCodePage) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) return DecodeUtf8(CutAtNul(bytes.substr(3)));
  if (StartsWith(bytes, "\xFF\xFE")) return DecodeUtf16(bytes.substr(2), false);
  if (StartsWith(bytes, "\xFE\xFF")) return DecodeUtf16(bytes.substr(2), true);
  const std::string_view text = CutAtNul(bytes);
  if (IsNonAsciiUtf8(text)) return DecodeUtf8(text);
  return decodeSystemCodePage(text);
}

}  // namespace toolkit
