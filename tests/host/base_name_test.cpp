#include "toolkit/base_name.h"

#include <gtest/gtest.h>

namespace {

TEST(BaseName, DropsDirectoryAndLastExtension) {
  const struct {
    const wchar_t* path;
    const wchar_t* base;
  } cases[] = {
      {L"C:\\memo\\買い物.txt", L"買い物"},
      {L"C:\\memo\\a.b.txt", L"a.b"},
      {L"C:\\memo\\file.", L"file"},
      {L"C:\\memo\\.txt", L""},
      {L"C:\\memo\\noext", L"noext"},
      {L"C:\\dotted.dir\\noext", L"noext"},
      {L"C:a.txt", L"a"},               // drive-relative: ':' delimits
      {L"dir/sub/a.txt", L"dir/sub/a"},  // '/' is no delimiter
      {L"表.txt", L"表"},                // second Shift_JIS byte 0x5C is no delimiter in UTF-16
      {L"ソ\\ソ.txt", L"ソ"},
      {L"C:\\memo\\", L""},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(toolkit::BaseName(c.path), c.base) << testing::PrintToString(std::wstring(c.path));
}

}  // namespace
