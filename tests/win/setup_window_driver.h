// The setup window of a started mimoruka.exe, driven from outside, and what the end-to-end
// tests of its shortcut commands share: button and message texts, the target folders, a
// Startup folder that is missing, a plain file or read-only for one test.
//   setup_test::SetupWindow setup;  setup.SetPath(file);
//   auto message = setup.Press(setup_test::kStartupButton);  setup.Dismiss(*message);
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ui_driver.h"

namespace setup_test {

inline constexpr wchar_t kStartupButton[] = L"起動時に表示するｼｮｰﾄｶｯﾄを作成";
inline constexpr wchar_t kDesktopButton[] = L"ﾃﾞｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄを作成";
inline constexpr wchar_t kStartupDone[] = L"スタートアップにショートカットを作成しました。";
inline constexpr wchar_t kDesktopDone[] = L"デスクトップにショートカットを作成しました。";
inline constexpr wchar_t kFailed[] = L"ショートカットの作成に失敗しました。";

// The path between double quotes, as the shortcuts pass it.
inline std::wstring Quoted(const std::wstring& path) {
  std::wstring quoted;
  quoted.reserve(path.size() + 2);
  quoted.append(1, L'"').append(path).append(1, L'"');
  return quoted;
}

// The current user's special folder, as the shell names it (empty when it has none).
inline std::wstring Folder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// The setup window of a started mimoruka.exe and its controls; closed at the end, when the
// program must end with exit code 0.
class SetupWindow {
 public:
  SetupWindow() : program_(ui::ProductPath(), L"") {
    window_ = program_.WaitForWindow([](HWND w) { return ui::Text(w) == L"ミモルカ" && !ui::IsDialogBox(w); });
    edit_ = window_ ? ui::FindChild(window_, L"Edit") : nullptr;
  }
  SetupWindow(const SetupWindow&) = delete;
  SetupWindow& operator=(const SetupWindow&) = delete;
  ~SetupWindow() {
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_EQ(program_.WaitForExit(), 0u);
  }

  bool Ready() const { return window_ != nullptr && edit_ != nullptr; }
  ui::Process& Program() { return program_; }
  HWND Window() const { return window_; }

  void SetPath(const std::wstring& path) { SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str())); }
  std::wstring Path() const { return ui::Text(edit_); }

  // Clicks a button and reads the message that answers it; the message stays up.
  std::optional<ui::MessageBoxView> Press(const wchar_t* button) {
    ui::Click(ui::FindChild(window_, L"Button", button));
    return ui::WaitForMessageBox(program_);
  }

  // Closes a message with OK and waits until the window is enabled again.
  void Dismiss(const ui::MessageBoxView& message) {
    ui::Click(ui::FindChild(message.window, L"Button", L"OK"));
    EXPECT_TRUE(ui::WaitUntil([&] { return !IsWindow(message.window) && IsWindowEnabled(window_); }));
  }

  // Chooses a file through the "..." button and the system's open-file dialog.
  void Browse(const std::wstring& path) {
    ui::Click(ui::FindChild(window_, L"Button", L"..."));
    const HWND dialog = program_.WaitForWindow(ui::IsDialogBox);
    ASSERT_NE(dialog, nullptr);
    HWND name = GetDlgItem(dialog, cmb13);
    if (name != nullptr && ui::FindChild(name, L"Edit") != nullptr) name = ui::FindChild(name, L"Edit");
    if (name == nullptr) name = GetDlgItem(dialog, edt1);
    ASSERT_NE(name, nullptr);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ui::Click(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(ui::WaitUntil([&] { return !IsWindow(dialog); }));
  }

 private:
  ui::Process program_;
  HWND window_ = nullptr;
  HWND edit_ = nullptr;
};

// Spoils the current user's Startup folder for one test and puts it back at the end.
class StartupFolderChange {
 public:
  enum Kind {
    kMissing,         // moved aside
    kReplacedByFile,  // moved aside, a plain file of that name in its place
    kReadOnly,        // the read-only attribute set on the folder
  };

  explicit StartupFolderChange(Kind kind) : kind_(kind), folder_(Folder(CSIDL_STARTUP)), aside_(folder_ + L".aside") {
    if (folder_.empty()) return;
    if (kind_ == kReadOnly) {
      const DWORD attributes = GetFileAttributesW(folder_.c_str());
      ready_ = attributes != INVALID_FILE_ATTRIBUTES &&
               SetFileAttributesW(folder_.c_str(), attributes | FILE_ATTRIBUTE_READONLY);
      return;
    }
    ready_ = moved_ = MoveFileW(folder_.c_str(), aside_.c_str()) != FALSE;
    if (ready_ && kind_ == kReplacedByFile) {
      const HANDLE file = CreateFileW(folder_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      DWORD written = 0;
      ready_ = file != INVALID_HANDLE_VALUE && WriteFile(file, "not a folder", 12, &written, nullptr);
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
  }
  StartupFolderChange(const StartupFolderChange&) = delete;
  StartupFolderChange& operator=(const StartupFolderChange&) = delete;
  ~StartupFolderChange() {
    if (folder_.empty()) return;
    if (kind_ == kReadOnly) {
      const DWORD attributes = GetFileAttributesW(folder_.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(folder_.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
      return;
    }
    if (!moved_) return;
    if (kind_ == kReplacedByFile) DeleteFileW(folder_.c_str());
    MoveFileW(aside_.c_str(), folder_.c_str());
  }

  bool Ready() const { return ready_; }
  const std::wstring& Path() const { return folder_; }

 private:
  Kind kind_;
  std::wstring folder_, aside_;
  bool ready_ = false;
  bool moved_ = false;
};

}  // namespace setup_test
