#include "toolkit/mnemonic.h"

#include <gtest/gtest.h>

namespace {

TEST(MnemonicOf, FindsTheCharacterAfterASingleAmpersand) {
  const struct {
    const wchar_t* caption;
    wchar_t expected;
  } cases[] = {
      {L"閉じる(&C)", L'C'}, {L"&Open", L'O'},    {L"...", 0},      {L"", 0},
      {L"a&&b", 0},         {L"a&&&b", L'b'},    {L"a&&b&c", L'c'}, {L"end&", 0},
      {L"&&", 0},           {L"&ﾃｷｽﾄ", L'ﾃ'}, {L"&a&b", L'a'},
  };
  for (const auto& c : cases) EXPECT_EQ(toolkit::MnemonicOf(c.caption), c.expected) << c.caption;
}

}  // namespace
