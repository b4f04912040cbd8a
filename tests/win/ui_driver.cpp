#include "ui_driver.h"

#include <algorithm>
#include <thread>

namespace ui {
namespace {

std::wstring ModuleDirectory() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path);
  return dir.substr(0, dir.find_last_of(L'\\'));
}

// The build tree's root: the test programs live in <root>\tests\win.
std::wstring BuildRoot() {
  std::wstring dir = ModuleDirectory();
  for (int i = 0; i < 2; ++i) dir = dir.substr(0, dir.find_last_of(L'\\'));
  return dir;
}

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

void Pause() { std::this_thread::sleep_for(20ms); }

// A 32-bit top-down bitmap with a memory DC to draw into, and its pixels.
class PixelCanvas {
 public:
  PixelCanvas(int width, int height) : screen_(GetDC(nullptr)), memory_(CreateCompatibleDC(screen_)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_ = CreateDIBSection(memory_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(memory_, bitmap_);
    size_ = static_cast<size_t>(width) * height;
  }
  ~PixelCanvas() {
    SelectObject(memory_, old_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
    ReleaseDC(nullptr, screen_);
  }
  HDC Screen() const { return screen_; }
  HDC Dc() const { return memory_; }
  void Fill(DWORD colour) { std::fill(bits_, bits_ + size_, colour); }
  std::vector<DWORD> Pixels() const {
    GdiFlush();
    return std::vector<DWORD>(bits_, bits_ + size_);
  }

 private:
  HDC screen_;
  HDC memory_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  DWORD* bits_ = nullptr;
  size_t size_ = 0;
};

// The pixels of a screen rectangle.
std::vector<DWORD> CaptureScreen(const RECT& r) {
  PixelCanvas canvas(r.right - r.left, r.bottom - r.top);
  BitBlt(canvas.Dc(), 0, 0, r.right - r.left, r.bottom - r.top, canvas.Screen(), r.left, r.top, SRCCOPY);
  return canvas.Pixels();
}

// The pixels of a system icon drawn on a plain background, as an icon control draws it.
std::vector<DWORD> RenderIcon(LPCWSTR id, int width, int height, DWORD background) {
  PixelCanvas canvas(width, height);
  canvas.Fill(background);
  DrawIconEx(canvas.Dc(), 0, 0, LoadIconW(nullptr, id), 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
  return canvas.Pixels();
}

// Which system icon an icon control shows, told by its pixels; nullptr when none fits.
LPCWSTR RecogniseIcon(HWND iconControl) {
  RECT r;
  GetWindowRect(iconControl, &r);
  if (r.right - r.left < 16 || r.bottom - r.top < 16) return nullptr;
  const std::vector<DWORD> shown = CaptureScreen(r);
  const LPCWSTR candidates[] = {IDI_INFORMATION, IDI_ERROR, IDI_WARNING, IDI_QUESTION};
  LPCWSTR best = nullptr;
  size_t bestDifferences = shown.size() / 20 + 1;  // at most 5 % of the pixels may differ
  for (LPCWSTR id : candidates) {
    const std::vector<DWORD> drawn = RenderIcon(id, r.right - r.left, r.bottom - r.top, shown[0]);
    size_t differences = 0;
    for (size_t i = 0; i < shown.size(); ++i) differences += (shown[i] & 0xFFFFFF) != (drawn[i] & 0xFFFFFF);
    if (differences < bestDifferences) {
      bestDifferences = differences;
      best = id;
    }
  }
  return best;
}

}  // namespace

std::wstring ProductPath() { return BuildRoot() + L"\\mimoruka.exe"; }

Process::Process(const std::wstring& exe, const std::wstring& arguments)
    : Process(WithCommandLine(exe, L"\"" + exe + L"\" " + arguments)) {}

Process Process::WithCommandLine(const std::wstring& exe, const std::wstring& commandLine) {
  Process p;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  std::wstring line = commandLine;
  if (CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    CloseHandle(info.hThread);
    p.process_ = info.hProcess;
    p.id_ = info.dwProcessId;
    WaitForInputIdle(info.hProcess, 10000);
  }
  return p;
}

Process::Process(Process&& other) noexcept : process_(other.process_), id_(other.id_) {
  other.process_ = nullptr;
  other.id_ = 0;
}

Process::~Process() {
  if (process_ == nullptr) return;
  if (Running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool Process::Running() const { return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::vector<HWND> Process::Windows() const {
  WindowSearch search{id_, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Process::WaitForWindow(const std::function<bool(HWND)>& match, std::chrono::milliseconds limit) const {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : Windows())
          if (!match || match(w)) {
            found = w;
            return true;
          }
        return false;
      },
      limit);
  return found;
}

std::optional<DWORD> Process::WaitForExit(std::chrono::milliseconds limit) {
  if (process_ == nullptr) return std::nullopt;
  if (WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::wstring Text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      5000, &copied);
  text.resize(copied);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

LONG_PTR Style(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

HWND Owner(HWND window) { return GetWindow(window, GW_OWNER); }

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text) {
  for (HWND child : Children(parent)) {
    if (className != nullptr && ClassName(child) != className) continue;
    if (text != nullptr && Text(child) != text) continue;
    return child;
  }
  return nullptr;
}

RECT RectIn(HWND child, HWND parent) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void BringToFront(HWND window) {
  SetForegroundWindow(window);
  WaitUntil([&] { return GetForegroundWindow() == window; }, 2s);
}

namespace {

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

void PressKey(WORD virtualKey, bool shift, bool control, bool alt) {
  std::vector<INPUT> inputs;
  const std::pair<bool, WORD> modifiers[] = {{shift, VK_SHIFT}, {control, VK_CONTROL}, {alt, VK_MENU}};
  for (auto [on, key] : modifiers)
    if (on) inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it)
    if (it->first) inputs.push_back(KeyInput(it->second, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Pause();
}

void TypeText(const std::wstring& text) {
  std::vector<INPUT> inputs;
  for (wchar_t c : text) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = c;
    input.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(input);
    input.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Pause();
}

bool WaitUntil(const std::function<bool()>& fn, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (fn()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    Pause();
  }
}

bool IsDialogBox(HWND window) { return ClassName(window) == L"#32770"; }

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView view;
  view.window = box;
  view.caption = Text(box);
  for (HWND child : Children(box)) {
    const std::wstring cls = ClassName(child);
    if (cls == L"Button") {
      if (IsWindowVisible(child)) view.buttons.push_back(Text(child));
    } else if (cls == L"Static") {
      if ((Style(child) & SS_TYPEMASK) == SS_ICON) {
        if (IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0) != 0) {
          view.hasIcon = true;
          view.icon = RecogniseIcon(child);
        }
      } else if (IsWindowVisible(child)) {
        view.text = Text(child);
      }
    }
  }
  return view;
}

std::optional<MessageBoxView> WaitForMessageBox(const Process& process, std::chrono::milliseconds limit) {
  const HWND box = process.WaitForWindow(IsDialogBox, limit);
  if (box == nullptr) return std::nullopt;
  Sleep(200);  // let the box paint its icon before it is read from the screen
  return ReadMessageBox(box);
}

namespace {

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring full = path + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder(const std::wstring& name) : path_(ModuleDirectory() + L"\\tmp\\" + name) {
  RemoveTree(L"\\\\?\\" + path_);  // what an earlier, interrupted run left
  CreateDirectoryW((ModuleDirectory() + L"\\tmp").c_str(), nullptr);
  CreateDirectoryW(path_.c_str(), nullptr);
}

// "\\?\" lets the removal reach files and folders past MAX_PATH that a test made.
TempFolder::~TempFolder() { RemoveTree(L"\\\\?\\" + path_); }

std::wstring TempFolder::Write(const std::wstring& name, const std::string& bytes) const {
  const std::wstring path = path_ + L"\\" + name;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

}  // namespace ui
