// The file-system path of a shell special folder for the current user.
//   std::wstring startup = GetSpecialFolder(CSIDL_STARTUP);
#pragma once
#include <string>

namespace mimoruka {

// Asks the shell on every call (nothing is cached), with the application's hidden window as
// owner. The path comes back as the shell gives it, at most MAX_PATH characters, with no
// trailing delimiter added or removed. Empty when the shell cannot resolve the folder or
// the folder has no file-system path.
std::wstring GetSpecialFolder(int Csidl);

}  // namespace mimoruka
