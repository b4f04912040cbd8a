#include "toolkit/text_decoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Stands in for the system code page: marks the bytes it was given, one unit per byte.
std::wstring FakeCodePage(std::string_view bytes) {
  std::wstring text = L"ACP:";
  for (char c : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return text;
}

const wchar_t kMemo[] = L"買い物メモ：牛乳とﾊﾟﾝ、表ソ能";
const std::string kMemoShiftJis =
    "\x94\x83\x82\xA2\x95\xA8\x83\x81\x83\x82\x81\x46\x8B\x8D\x93\xFB\x82\xC6\xCA\xDF\xDD\x81\x41\x95\x5C\x83\x5C\x94\x5C";
const std::string kMemoUtf8 =
    "\xE8\xB2\xB7\xE3\x81\x84\xE7\x89\xA9\xE3\x83\xA1\xE3\x83\xA2\xEF\xBC\x9A\xE7\x89\x9B\xE4\xB9\xB3\xE3\x81\xA8"
    "\xEF\xBE\x8A\xEF\xBE\x9F\xEF\xBE\x9D\xE3\x80\x81\xE8\xA1\xA8\xE3\x82\xBD\xE8\x83\xBD";

std::string Utf16Bytes(std::wstring_view text, bool bigEndian) {
  std::string bytes;
  for (wchar_t unit : text) {
    const char hi = static_cast<char>((unit >> 8) & 0xFF), lo = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? hi : lo;
    bytes += bigEndian ? lo : hi;
  }
  return bytes;
}

std::wstring Decode(const std::string& bytes) { return toolkit::DecodeText(bytes, FakeCodePage); }

TEST(DecodeText, ChoosesTheEncodingFromTheBytes) {
  const struct {
    const char* name;
    std::string bytes;
    std::wstring text;
  } cases[] = {
      {"Shift_JIS goes to the code page", kMemoShiftJis, FakeCodePage(kMemoShiftJis)},
      {"plain ASCII goes to the code page", "memo\r\n", L"ACP:memo\r\n"},
      {"UTF-8 without mark", kMemoUtf8, kMemo},
      {"UTF-8 with mark", "\xEF\xBB\xBF" + kMemoUtf8, kMemo},
      {"UTF-8 mark on ASCII", "\xEF\xBB\xBFmemo", L"memo"},
      {"UTF-16 LE", "\xFF\xFE" + Utf16Bytes(kMemo, false), kMemo},
      {"UTF-16 BE", "\xFE\xFF" + Utf16Bytes(kMemo, true), kMemo},
      {"UTF-16 cut at zero unit", "\xFF\xFE" + Utf16Bytes(L"ab", false) + std::string(2, '\0') + "c\0", L"ab"},
      {"UTF-16 odd last byte", std::string("\xFF\xFE" "a\0b", 5), L"a\xFFFD"},
      {"UTF-16 without mark is cut at its first zero byte", Utf16Bytes(L"ab", false), L"ACP:a"},
      {"NUL ends UTF-8", kMemoUtf8 + std::string(1, '\0') + "\xFF", kMemo},
      {"NUL ends the code page text", std::string("ab\0\xE8\xB2\xB7", 5), L"ACP:ab"},
      {"NUL after a UTF-8 mark", std::string("\xEF\xBB\xBF" "a\0b", 6), L"a"},
      {"invalid UTF-8 goes to the code page", "\xE8\xB2", FakeCodePage("\xE8\xB2")},
      {"lone Shift_JIS lead byte at the end", "abc\x82", FakeCodePage("abc\x82")},
      {"empty", "", L"ACP:"},
      {"only a UTF-8 mark", "\xEF\xBB\xBF", L""},
      {"only a UTF-16 mark", "\xFF\xFE", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(Decode(c.bytes), c.text) << c.name;
}

TEST(DecodeUtf8, ReplacesEachMaximalInvalidSequenceOnce) {
  const struct {
    std::string bytes;
    std::wstring text;
  } cases[] = {
      {"a\x80" "b", L"a\xFFFD" L"b"},
      {"\xE8\xB2" "a", L"\xFFFD" L"a"},             // truncated sequence: one replacement
      {"\xC0\xAF", L"\xFFFD\xFFFD"},                // overlong form
      {"\xED\xA0\x80", L"\xFFFD\xFFFD\xFFFD"},      // encoded surrogate
      {"\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},  // past U+10FFFF
      {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},        // outside the BMP: a surrogate pair
      {"\xE8\xB2\xB7", L"買"},
  };
  for (const auto& c : cases) EXPECT_EQ(toolkit::DecodeUtf8(c.bytes), c.text) << testing::PrintToString(c.bytes);
}

TEST(IsNonAsciiUtf8, NeedsValidBytesAndOneAboveAscii) {
  EXPECT_TRUE(toolkit::IsNonAsciiUtf8(kMemoUtf8));
  EXPECT_FALSE(toolkit::IsNonAsciiUtf8("ascii only"));
  EXPECT_FALSE(toolkit::IsNonAsciiUtf8(kMemoShiftJis));
  EXPECT_FALSE(toolkit::IsNonAsciiUtf8(kMemoUtf8 + "\xC3"));
}

}  // namespace
