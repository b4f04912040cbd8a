/* The floor for reminder mode: the least a program can do to show a file's text in a
 * message box. One read of the whole file, one MultiByteToWideChar (UTF-8, the encoding of
 * the benchmark's files), one MessageBoxW captioned with the file's base name.
 *   floor_reminder.exe "PATH"
 * Built twice more as probes that show what the product's start-up costs beyond the floor:
 * PROBE_COM adds the CoInitialize/CoUninitialize pair that every mode of the product runs,
 * PROBE_SETUP_DLLS also links the DLLs that only setup mode uses (common dialogs, shell,
 * common controls), so that the loader maps them at start-up as it does for the product;
 * PROBE_OWNER gives the box a hidden owner window, as the product does. */
#include <windows.h>
#if defined(PROBE_COM)
#include <objbase.h>
#endif
#if defined(PROBE_SETUP_DLLS)
#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>
/* Never set: the calls below only make the loader map the DLLs that setup mode needs. */
volatile int probe_never = 0;
#endif

/* The first argument: the rest of the command line after the program name, unquoted. */
static WCHAR *FirstArgument(WCHAR *line) {
  WCHAR *end;
  if (*line == L'"') {
    ++line;
    while (*line && *line != L'"') ++line;
    if (*line) ++line;
  } else {
    while (*line > L' ') ++line;
  }
  while (*line && *line <= L' ') ++line;
  if (*line == L'"') ++line;
  end = line;
  while (*end && *end != L'"') ++end;
  *end = 0;
  return line;
}

/* The file name without directory and extension, written into caption. */
static void BaseName(const WCHAR *path, WCHAR *caption, int size) {
  const WCHAR *name = path, *dot = NULL, *p;
  int n = 0;
  for (p = path; *p; ++p)
    if (*p == L'\\' || *p == L':') name = p + 1;
  for (p = name; *p; ++p)
    if (*p == L'.') dot = p;
  for (p = name; *p && p != dot && n < size - 1; ++p) caption[n++] = *p;
  caption[n] = 0;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
  WCHAR caption[MAX_PATH];
  WCHAR *path = FirstArgument(GetCommandLineW());
  HANDLE file;
  LARGE_INTEGER size;
  DWORD length, read = 0;
  char *bytes;
  WCHAR *text;
  int units;
  HWND owner = NULL;
  (void)instance; (void)previous; (void)commandLine; (void)show;
#if defined(PROBE_COM)
  CoInitialize(NULL);
#endif
#if defined(PROBE_SETUP_DLLS)
  if (probe_never) {
    OPENFILENAMEW ofn = {0};
    LPITEMIDLIST list = NULL;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES};
    GetOpenFileNameW(&ofn);
    SHGetSpecialFolderLocation(NULL, CSIDL_STARTUP, &list);
    InitCommonControlsEx(&controls);
  }
#endif

  file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                     FILE_FLAG_SEQUENTIAL_SCAN, NULL);
  if (file == INVALID_HANDLE_VALUE || !GetFileSizeEx(file, &size)) return 1;
  length = size.LowPart;
  bytes = HeapAlloc(GetProcessHeap(), 0, length + 1);
  text = HeapAlloc(GetProcessHeap(), 0, ((SIZE_T)length + 1) * sizeof(WCHAR));
  if (!bytes || !text || !ReadFile(file, bytes, length, &read, NULL)) return 1;
  CloseHandle(file);
  units = MultiByteToWideChar(CP_UTF8, 0, bytes, (int)read, text, (int)read);
  text[units] = 0;
  HeapFree(GetProcessHeap(), 0, bytes);

  BaseName(path, caption, MAX_PATH);
#if defined(PROBE_OWNER)
  {
    /* A hidden top-level window as the box's owner, as the product's application object has. */
    WNDCLASSEXW windowClass = {0};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(NULL);
    windowClass.lpszClassName = L"ProbeOwner";
    RegisterClassExW(&windowClass);
    owner = CreateWindowExW(0, L"ProbeOwner", L"probe", WS_POPUP, 0, 0, 0, 0, NULL, NULL,
                            windowClass.hInstance, NULL);
  }
#endif
  MessageBoxW(owner, text, caption, MB_ICONINFORMATION);
  HeapFree(GetProcessHeap(), 0, text);
#if defined(PROBE_COM)
  CoUninitialize();
#endif
  return 0;
}
