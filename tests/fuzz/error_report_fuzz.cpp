// FormatErrorReport over arbitrary names, offsets and messages: the report reads back into
// exactly what went in: the class name first, the offset as upper-case hexadecimal of at
// least eight digits, the message with one full stop, and CR LF at the end.
#include "fuzz_support.h"
#include "toolkit/error_report.h"

#include <algorithm>
#include <cstring>

namespace {

// Takes prefix off the front of text; false when text does not start with it.
bool Consume(std::wstring_view& text, std::wstring_view prefix) {
  if (!text.starts_with(prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// The next field of fields up to a NUL unit (or the end).
std::wstring_view NextField(std::wstring_view& fields) {
  const std::wstring_view field = fields.substr(0, fields.find(L'\0'));
  fields.remove_prefix(std::min(fields.size(), field.size() + 1));
  return field;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uintptr_t offset = 0;
  if (size < sizeof offset) return 0;
  std::memcpy(&offset, data, sizeof offset);
  const std::wstring input = fuzz::Utf16Units(data + sizeof offset, size - sizeof offset);
  std::wstring_view fields = input;
  const std::wstring_view className = NextField(fields);
  const std::wstring_view moduleName = NextField(fields);
  const std::wstring_view message = fields;

  const std::wstring report = toolkit::FormatErrorReport(className, moduleName, offset, message);
  std::wstring_view rest = report;
  FUZZ_CHECK(Consume(rest, className));
  FUZZ_CHECK(Consume(rest, L" がモジュール "));
  FUZZ_CHECK(Consume(rest, moduleName));
  FUZZ_CHECK(Consume(rest, L" の "));

  std::uintptr_t value = 0;
  size_t digits = 0;
  for (; digits < rest.size() && ((rest[digits] >= L'0' && rest[digits] <= L'9') || (rest[digits] >= L'A' && rest[digits] <= L'F')); ++digits) {
    FUZZ_CHECK(digits < 2 * sizeof value);
    value = value * 16 + (rest[digits] <= L'9' ? rest[digits] - L'0' : rest[digits] - L'A' + 10);
  }
  FUZZ_CHECK(value == offset);
  FUZZ_CHECK(digits >= 8);
  FUZZ_CHECK(digits == 8 || rest[0] != L'0');  // zeros only to fill eight digits
  rest.remove_prefix(digits);

  FUZZ_CHECK(Consume(rest, L" で発生しました。\r\n"));
  FUZZ_CHECK(Consume(rest, message));
  if (!message.empty() && !message.ends_with(L'.')) FUZZ_CHECK(Consume(rest, L"."));
  FUZZ_CHECK(rest == L"\r\n");
  return 0;
}
