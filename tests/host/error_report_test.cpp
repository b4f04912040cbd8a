#include "toolkit/error_report.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatErrorReport, FillsTheFixedFormat) {
  const struct {
    std::uintptr_t offset;
    const wchar_t* message;
    const wchar_t* expected;
  } cases[] = {
      {0x1A2B, L"ファイル C:\\a.txt は開けません",
       L"EFOpenError がモジュール mimoruka.exe の 00001A2B で発生しました。\r\nファイル C:\\a.txt は開けません.\r\n"},
      {0xABCDEF12, L"done.", L"EFOpenError がモジュール mimoruka.exe の ABCDEF12 で発生しました。\r\ndone.\r\n"},
      {0, L"", L"EFOpenError がモジュール mimoruka.exe の 00000000 で発生しました。\r\n\r\n"},
      {0x123456789, L"x", L"EFOpenError がモジュール mimoruka.exe の 123456789 で発生しました。\r\nx.\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(toolkit::FormatErrorReport(L"EFOpenError", L"mimoruka.exe", c.offset, c.message), c.expected);
}

}  // namespace
