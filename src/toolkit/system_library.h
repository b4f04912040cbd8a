// A function of a system DLL, loaded on first use: reminder mode, which never needs the
// open-file dialog or the shell's folders, then does not pay for loading their DLLs.
//   static const auto open = SystemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
#pragma once
#include <windows.h>

namespace toolkit {

// The function, or nullptr when the DLL or the function cannot be had. Only the system
// folder is searched. The DLL stays loaded for the rest of the run.
template <class Function>
Function* SystemFunction(const wchar_t* dll, const char* name) {
  const HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace toolkit
