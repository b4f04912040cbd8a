#include "shell/special_folder.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

#include "toolkit/application.h"
#include "toolkit/handles.h"

namespace mimoruka {

std::wstring GetSpecialFolder(int Csidl) {
  toolkit::TApplication* app = toolkit::Application();
  HWND owner = app != nullptr ? app->Handle() : nullptr;

  PIDLIST_ABSOLUTE rawList = nullptr;
  const HRESULT hr = SHGetSpecialFolderLocation(owner, Csidl, &rawList);
  toolkit::UniqueCoTaskMem<ITEMIDLIST> list(rawList);  // freed however this ends
  if (FAILED(hr) || !list) return {};

  wchar_t buffer[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(list.get(), buffer)) return {};
  // The text up to the first NUL; the whole buffer should the shell leave none.
  return std::wstring(buffer, wcsnlen(buffer, MAX_PATH));
}

}  // namespace mimoruka
