// Reads a shortcut (.lnk) file back, with the shell's own loader and byte by byte.
//   ShortcutFields f = ReadShortcut(L"C:\\...\\memoを忘れるな.lnk");
#pragma once
#include <string>

namespace shell_test {

// The four fields MakeShortcut sets, as the shell's shortcut object loads them back.
struct ShortcutFields {
  std::wstring path;
  std::wstring arguments;
  std::wstring workingDirectory;
  int showCmd = -1;
};
// Loads the .lnk file with the shell's own loader; fails the current test when it cannot.
// Wine's loader leaves the show command at its default (1): see ReadShowCommandField.
ShortcutFields ReadShortcut(const std::wstring& linkFile);

// The show command as the file holds it: the 32-bit little-endian field at byte offset 60
// of the shortcut header; -1 when the file is shorter.
int ReadShowCommandField(const std::wstring& linkFile);

// True under Wine, whose shell differs from Windows' in a few answers the tests check.
bool RunningOnWine();

}  // namespace shell_test
