#include "setup/reminder_shortcut.h"

#include <windows.h>

#include "shell/shortcut.h"
#include "shell/folder_lookup.h"
#include "toolkit/base_name.h"
#include "toolkit/file_system.h"
#include "toolkit/message_dialog.h"

namespace mimoruka {
namespace {

// The full path of this program, however long.
std::wstring OwnExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// "C:\..." and "\\server\..." stand on their own; anything else depends on the current
// directory or drive, which a shortcut started at logon does not share.
bool IsAbsolutePath(const std::wstring& path) {
  const auto isSlash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  if (path.size() >= 3 && path[1] == L':' && isSlash(path[2])) return true;
  return path.size() >= 2 && isSlash(path[0]) && isSlash(path[1]);
}

// The path a shortcut can still find at logon: a relative path is made full, an absolute
// one is kept exactly as typed.
std::wstring PathForShortcut(const std::wstring& path) {
  if (IsAbsolutePath(path)) return path;
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return path;
  full.resize(length);
  return full;
}

std::wstring LinkFileIn(std::wstring folder, const std::wstring& fileName) {
  if (folder.back() != L'\\') folder += L'\\';
  return folder + std::wstring(toolkit::BaseName(fileName)) + L"を忘れるな.lnk";
}

}  // namespace

void MakeReminderShortcut(const std::wstring& fileName, int csidl, const std::wstring& successMessage) {
  if (!toolkit::FileExists(fileName)) {
    toolkit::ShowMessage(L"ファイル " + fileName + L" は存在しません。");
    return;
  }
  const std::wstring folder = GetSpecialFolder(csidl);
  // Without a folder the shortcut would land in the root of the current drive: refuse.
  const bool written = !folder.empty() && MakeShortcut(LinkFileIn(folder, fileName), OwnExecutablePath(),
                                                       L"\"" + PathForShortcut(fileName) + L"\"", L"", wsNormal);
  if (written)
    toolkit::ShowInformation(successMessage);
  else
    toolkit::ShowMessage(L"ショートカットの作成に失敗しました。");
}

}  // namespace mimoruka
