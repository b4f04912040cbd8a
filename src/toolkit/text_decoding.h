// Turns the bytes of a reminder file into UTF-16 text, deciding the encoding from the
// bytes themselves. The system code page is the fallback and is supplied by the caller.
#pragma once
#include <string>
#include <string_view>

namespace toolkit {

using CodePageDecoder = std::wstring (*)(std::string_view bytes);

// A UTF-8 mark: UTF-8. A UTF-16 mark (FF FE or FE FF): UTF-16 LE or BE, cut at the first
// zero code unit. Otherwise the bytes are cut at the first NUL; when the rest is valid
// UTF-8 holding a byte >= 0x80 it is UTF-8, else it goes to decodeSystemCodePage.
// Invalid UTF-8 after a mark and a stray odd byte of UTF-16 become U+FFFD.
std::wstring DecodeText(std::string_view bytes, CodePageDecoder decodeSystemCodePage);

// UTF-8 to UTF-16; every maximal invalid sequence becomes one U+FFFD.
std::wstring DecodeUtf8(std::string_view bytes);

// True when bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF) and at least one byte is 0x80 or more.
bool IsNonAsciiUtf8(std::string_view bytes);

}  // namespace toolkit
