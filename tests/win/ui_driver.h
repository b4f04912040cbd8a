// Drives a program from outside, as a user would: start it, find its windows, read their
// texts, click, type, and wait for its exit code.
//   ui::Process p(ui::ProductPath(), L"\"C:\\memo\\a.txt\"");
//   HWND box = p.WaitForWindow([](HWND w) { return ui::ClassName(w) == L"#32770"; });
//   ui::Click(ui::FindChild(box, L"Button", L"OK"));  EXPECT_EQ(p.WaitForExit(), 0u);
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

using namespace std::chrono_literals;
constexpr std::chrono::milliseconds kWaitLimit = 20s;  // a bound, not a timing expectation

// Full path of the mimoruka.exe under test (next to the test programs' build tree).
std::wstring ProductPath();

// A started process; ended by force when the object goes while it still runs.
class Process {
 public:
  // Starts exe with the command line "<exe quoted> <arguments>" (arguments as given, unquoted).
  Process(const std::wstring& exe, const std::wstring& arguments);
  // Starts with an exact, complete command line (the program name included).
  static Process WithCommandLine(const std::wstring& exe, const std::wstring& commandLine);
  Process(Process&&) noexcept;
  ~Process();

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  // Visible top-level windows of the process right now.
  std::vector<HWND> Windows() const;
  // Waits for a visible top-level window that matches; nullptr after the limit.
  HWND WaitForWindow(const std::function<bool(HWND)>& match = {},
                     std::chrono::milliseconds limit = kWaitLimit) const;
  // Waits for the exit; the exit code, or nullopt when the process still runs at the limit.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit = kWaitLimit);
  bool Running() const;

 private:
  Process() = default;
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

std::wstring Text(HWND window);       // WM_GETTEXT
std::wstring ClassName(HWND window);  // GetClassNameW
LONG_PTR Style(HWND window);
HWND Owner(HWND window);              // GW_OWNER
std::vector<HWND> Children(HWND parent);  // all descendants, in z order
// First descendant whose class (when given) and text (when given) match exactly.
HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text = nullptr);
// Client rectangle of a child in its parent's client coordinates.
RECT RectIn(HWND child, HWND parent);

// Posts a click to a button (returns at once, even when the click opens a modal dialog).
void Click(HWND button);
// Keyboard input to the foreground window, as typed: virtual keys with modifiers.
void BringToFront(HWND window);
void PressKey(WORD virtualKey, bool shift = false, bool control = false, bool alt = false);
void TypeText(const std::wstring& text);
// Waits until fn() is true or the limit passes; returns the last value.
bool WaitUntil(const std::function<bool()>& fn, std::chrono::milliseconds limit = kWaitLimit);

// Message boxes and the toolkit's message dialogs (class #32770).
struct MessageBoxView {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;           // the static text, exactly as shown
  std::vector<std::wstring> buttons;
  bool hasIcon = false;        // a visible icon is shown
  LPCWSTR icon = nullptr;      // IDI_INFORMATION, IDI_ERROR (stop), IDI_WARNING, IDI_QUESTION or nullptr
};
bool IsDialogBox(HWND window);
MessageBoxView ReadMessageBox(HWND box);
// Waits for a dialog box of the process and reads it.
std::optional<MessageBoxView> WaitForMessageBox(const Process& process, std::chrono::milliseconds limit = kWaitLimit);

// Temporary folder under the test's build tree, emptied when made and removed at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& name);
  ~TempFolder();
  const std::wstring& Path() const { return path_; }
  // Writes bytes to a file in the folder and returns its full path.
  std::wstring Write(const std::wstring& name, const std::string& bytes) const;

 private:
  std::wstring path_;
};

}  // namespace ui
