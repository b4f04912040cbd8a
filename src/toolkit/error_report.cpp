#include "toolkit/error_report.h"

namespace toolkit {
namespace {

std::wstring UpperHex(std::uintptr_t value, size_t minDigits) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), L"0123456789ABCDEF"[value % 16]);
    value /= 16;
  } while (value != 0);
  if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), L'0');
  return digits;
}

}  // namespace

std::wstring FormatErrorReport(std::wstring_view className, std::wstring_view moduleName,
                               std::uintptr_t offset, std::wstring_view message) {
  std::wstring text;
  text.append(className).append(L" がモジュール ").append(moduleName);
  text.append(L" の ").append(UpperHex(offset, 8)).append(L" で発生しました。\r\n");
  text.append(message);
  if (!message.empty() && message.back() != L'.') text += L'.';
  text.append(L"\r\n");
  return text;
}

}  // namespace toolkit
