#include "toolkit/text_lines.h"

#include <gtest/gtest.h>

namespace {

TEST(TextOfLines, EveryLineEndsWithCrLf) {
  const struct {
    const wchar_t* text;
    const wchar_t* lines;
  } cases[] = {
      {L"", L""},
      {L"one", L"one\r\n"},
      {L"one\r\n", L"one\r\n"},
      {L"one\r\ntwo", L"one\r\ntwo\r\n"},
      {L"a\nb\rc\r\nd", L"a\r\nb\r\nc\r\nd\r\n"},  // mixed breaks
      {L"a\n\rb", L"a\r\n\r\nb\r\n"},               // LF CR is two breaks
      {L"\r\n", L"\r\n"},                            // one empty line
      {L"\n\n", L"\r\n\r\n"},
      {L"\r", L"\r\n"},
      {L"a\r", L"a\r\n"},
      {L"a\r\r\n", L"a\r\n\r\n"},
      {L"買い物\n牛乳", L"買い物\r\n牛乳\r\n"},
  };
  for (const auto& c : cases) {
    const std::wstring result = toolkit::TextOfLines(c.text);
    EXPECT_EQ(result, c.lines) << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(TextOfLines, LongLineAndManyLinesKeepTheirContent) {
  const std::wstring longLine(1'000'000, L'x');
  EXPECT_EQ(toolkit::TextOfLines(longLine), longLine + L"\r\n");
  std::wstring many, expected;
  for (int i = 0; i < 10000; ++i) {
    many += L"l\n";
    expected += L"l\r\n";
  }
  EXPECT_EQ(toolkit::TextOfLines(many), expected);
}

}  // namespace
