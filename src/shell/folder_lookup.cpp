#include "shell/folder_lookup.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

#include "toolkit/application.h"
#include "toolkit/handles.h"
#include "toolkit/system_library.h"

namespace mimoruka {

std::wstring GetSpecialFolder(int Csidl) {
  static const auto getLocation =
      toolkit::SystemFunction<decltype(SHGetSpecialFolderLocation)>(L"shell32.dll", "SHGetSpecialFolderLocation");
  static const auto getPath =
      toolkit::SystemFunction<decltype(SHGetPathFromIDListW)>(L"shell32.dll", "SHGetPathFromIDListW");
  if (getLocation == nullptr || getPath == nullptr) return {};

  toolkit::TApplication* app = toolkit::Application();
  HWND owner = app != nullptr ? app->Handle() : nullptr;

  PIDLIST_ABSOLUTE rawList = nullptr;
  const HRESULT hr = getLocation(owner, Csidl, &rawList);
  toolkit::UniqueCoTaskMem<ITEMIDLIST> list(rawList);  // freed however this ends
  if (FAILED(hr) || !list) return {};

  wchar_t buffer[MAX_PATH] = {};
  if (!getPath(list.get(), buffer)) return {};
  // The text up to the first NUL; the whole buffer should the shell leave none.
  return std::wstring(buffer, wcsnlen(buffer, MAX_PATH));
}

}  // namespace mimoruka
