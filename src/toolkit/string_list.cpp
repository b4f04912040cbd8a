#include "toolkit/string_list.h"

#include <windows.h>

#include <climits>
#include <memory>

#include "toolkit/exceptions.h"
#include "toolkit/handles.h"
#include "toolkit/text_decoding.h"
#include "toolkit/text_lines.h"
#include "toolkit/wide_text.h"

namespace toolkit {
namespace {

// A reminder larger than this cannot be decoded in one call, and no message box could show it.
constexpr LONGLONG kLargestFile = INT_MAX / 2;

// Decodes the file's bytes; they are freed before the lines are made, so at most two
// copies of the text exist at any time.
std::wstring ReadDecodedFile(const std::wstring& path) {
  UniqueHandle file = OwnHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) throw EFOpenError(L"ファイル " + path + L" は開けません");

  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestFile)
    throw EReadError(L"ファイル " + path + L" は読み込めません");
  const auto length = static_cast<DWORD>(size.QuadPart);
  const auto bytes = std::make_unique_for_overwrite<char[]>(length);
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.get(), length, &read, nullptr) || read != length)
    throw EReadError(L"ファイル " + path + L" は読み込めません");
  return DecodeText(std::string_view(bytes.get(), length), WideFromSystemCodePage);
}

}  // namespace

void TStringList::LoadFromFile(const std::wstring& path) { text_ = TextOfLines(ReadDecodedFile(path)); }

}  // namespace toolkit
