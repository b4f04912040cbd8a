// Writes a Windows shortcut (.lnk) file through the shell's own shortcut object.
//   if (!MakeShortcut(folder + L"\\memo.lnk", exePath, L"\"C:\\memo.txt\"", L"", wsNormal)) ...
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <functional>
#include <string>

namespace mimoruka {

// How the program a shortcut starts shows its window.
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

// The show command stored in the shortcut for each window state. A minimised start uses
// SW_MINIMIZE (6) on purpose, not SW_SHOWMINIMIZED (2) or SW_SHOWMINNOACTIVE (7).
inline constexpr int ShowCmdTable[] = {SW_SHOWNORMAL, SW_MINIMIZE, SW_SHOWMAXIMIZED};

// Saves LinkFile as a shortcut that starts Target with Arguments (passed as given; quoting
// is the caller's business) in WorkDir (may be empty), its window shown as WindowState.
// Sets exactly these four fields. Checks and creates nothing on disk beforehand: a missing
// folder fails, an existing file is overwritten. True only when the file has been saved;
// every failure, an exception included, gives false and nothing is shown.
bool MakeShortcut(const std::wstring& LinkFile, const std::wstring& Target,
                  const std::wstring& Arguments, const std::wstring& WorkDir,
                  TWindowState WindowState) noexcept;

// Makes a new shortcut object and hands back its IUnknown (owned by the caller).
using ShellLinkFactory = std::function<HRESULT(IUnknown** object)>;

// The work behind MakeShortcut, for tests and diagnostics: creates the object with
// createObject and returns the status of the step that stopped it, S_OK only when the file
// has been saved. A success code other than S_OK from a setter or Save stops it as well
// and is returned as it is; an exception gives E_UNEXPECTED (E_OUTOFMEMORY for bad_alloc).
HRESULT WriteShortcut(const ShellLinkFactory& createObject, const std::wstring& LinkFile,
                      const std::wstring& Target, const std::wstring& Arguments,
                      const std::wstring& WorkDir, TWindowState WindowState) noexcept;

// The real shell shortcut object (CLSID_ShellLink, in process or local server).
HRESULT CreateShellLink(IUnknown** object) noexcept;

}  // namespace mimoruka
