// The two shortcut buttons of the setup window, driven from outside against the real
// mimoruka.exe, and the whole job: a logon that starts the Startup shortcut, and opening
// the desktop shortcut through the shell.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "setup_window_driver.h"
#include "shortcut_reader.h"
#include "ui_driver.h"

namespace {

namespace fs = std::filesystem;

using setup_test::Folder;
using setup_test::kDesktopButton;
using setup_test::kDesktopDone;
using setup_test::kFailed;
using setup_test::kStartupButton;
using setup_test::kStartupDone;
using setup_test::Quoted;
using setup_test::SetupWindow;

std::set<std::wstring> Listing(const std::wstring& folder) {
  std::set<std::wstring> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) names.insert(entry.path().filename().wstring());
  return names;
}

void EmptyFolder(const std::wstring& folder) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) fs::remove_all(entry.path(), error);
}

// Shortcuts that the independent readers (check_commands_lnk.sh) check after this program:
// each is copied to <program folder>\command_links\N.lnk with a line in expected.tsv.
class IndependentReaders {
 public:
  static IndependentReaders& Get() {
    static IndependentReaders readers;
    return readers;
  }
  void Add(const std::wstring& link, const std::wstring& target, const std::wstring& arguments) {
    const std::wstring copy = folder_ + L"\\" + std::to_wstring(++count_) + L".lnk";
    ASSERT_TRUE(CopyFileW(link.c_str(), copy.c_str(), FALSE));
    std::ofstream list(fs::path(folder_ + L"\\expected.tsv"), std::ios::app | std::ios::binary);
    list << Utf8(std::to_wstring(count_) + L".lnk\t" + target + L"\t" + arguments + L"\n");
  }

 private:
  IndependentReaders() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    folder_ = fs::path(path).parent_path().wstring() + L"\\command_links";
    std::error_code error;
    fs::remove_all(folder_, error);
    fs::create_directories(folder_);
  }
  static std::string Utf8(const std::wstring& text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                     static_cast<int>(bytes.size()), nullptr, nullptr));
    return bytes;
  }
  std::wstring folder_;
  int count_ = 0;
};

struct Command {
  const char* name;
  const wchar_t* button;
  int csidl;
  const wchar_t* success;
};
const Command kCommands[] = {
    {"Startup", kStartupButton, CSIDL_STARTUP, kStartupDone},
    {"desktop", kDesktopButton, CSIDL_DESKTOPDIRECTORY, kDesktopDone},
};

class ShortcutCommands : public testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitialize(nullptr); }
  static void TearDownTestSuite() { CoUninitialize(); }
};

TEST_F(ShortcutCommands, WriteTheReminderShortcutAndSaySo) {
  ui::TempFolder files(L"commands ok");  // a blank in every path
  const struct {
    const wchar_t* file;
    const wchar_t* link;
    bool browse;  // chosen in the open-file dialog instead of typed
  } cases[] = {
      {L"a.b.txt", L"a.bを忘れるな.lnk", false},
      {L".txt", L"を忘れるな.lnk", false},
      {L"noext", L"noextを忘れるな.lnk", false},
      {L"表.txt", L"表を忘れるな.lnk", false},
      {L"買い物 メモ.txt", L"買い物 メモを忘れるな.lnk", true},
  };
  SetupWindow setup;
  ASSERT_TRUE(setup.Ready());
  for (const Command& command : kCommands) {
    for (const auto& c : cases) {
      SCOPED_TRACE(command.name);
      SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
      const std::wstring file = files.Write(c.file, "memo");
      const std::wstring link = Folder(command.csidl) + L"\\" + c.link;
      DeleteFileW(link.c_str());
      if (c.browse)
        setup.Browse(file);
      else
        setup.SetPath(file);
      ASSERT_EQ(setup.Path(), file);

      const auto message = setup.Press(command.button);
      ASSERT_TRUE(message.has_value());
      EXPECT_EQ(message->caption, L"情報");
      EXPECT_EQ(message->text, command.success);
      EXPECT_EQ(message->icon, IDI_INFORMATION);
      EXPECT_EQ(message->buttons, std::vector<std::wstring>{L"OK"});
      setup.Dismiss(*message);
      EXPECT_EQ(setup.Path(), file) << "the edit box stays as it was";

      ASSERT_TRUE(fs::exists(fs::path(link)));
      const shell_test::ShortcutFields fields = shell_test::ReadShortcut(link);
      EXPECT_EQ(fields.path, ui::ProductPath());
      EXPECT_EQ(fields.arguments, Quoted(file));
      EXPECT_EQ(fields.workingDirectory, L"");
      EXPECT_EQ(shell_test::ReadShowCommandField(link), SW_SHOWNORMAL);
      IndependentReaders::Get().Add(link, ui::ProductPath(), Quoted(file));
      DeleteFileW(link.c_str());  // the copy is kept for the independent readers
    }
  }
}

TEST_F(ShortcutCommands, RefuseWhatIsNoExistingFileAndWriteNothing) {
  ui::TempFolder files(L"commands_missing");
  const struct {
    const char* name;
    std::wstring path;
  } cases[] = {
      {"empty", L""},
      {"a directory", files.Path()},
      {"a missing file", files.Path() + L"\\missing.txt"},
      {"a blank after the name", files.Write(L"memo.txt", "x") + L" \"x\""},
  };
  SetupWindow setup;
  ASSERT_TRUE(setup.Ready());
  for (const Command& command : kCommands) {
    const std::set<std::wstring> before = Listing(Folder(command.csidl));
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(command.name) + ": " + c.name);
      setup.SetPath(c.path);
      const auto message = setup.Press(command.button);
      ASSERT_TRUE(message.has_value());
      EXPECT_EQ(message->caption, L"ミモルカ");
      EXPECT_EQ(message->text, L"ファイル " + c.path + L" は存在しません。");
      EXPECT_FALSE(message->hasIcon);
      setup.Dismiss(*message);
      EXPECT_EQ(setup.Path(), c.path);
    }
    EXPECT_EQ(Listing(Folder(command.csidl)), before);
  }
}

TEST_F(ShortcutCommands, AFailedSaveIsReportedAndTheWindowStaysUsable) {
  ui::TempFolder files(L"commands_fail");
  const std::wstring file = files.Write(L"memo.txt", "x");
  SetupWindow setup;
  ASSERT_TRUE(setup.Ready());
  setup.SetPath(file);
  {
    setup_test::StartupFolderChange replaced(setup_test::StartupFolderChange::kReplacedByFile);
    ASSERT_TRUE(replaced.Ready());
    const auto message = setup.Press(kStartupButton);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->caption, L"ミモルカ");
    EXPECT_EQ(message->text, kFailed);
    EXPECT_FALSE(message->hasIcon);
    setup.Dismiss(*message);
  }
  // The same window, the same path: now it works.
  const auto message = setup.Press(kStartupButton);
  ASSERT_TRUE(message.has_value());
  EXPECT_EQ(message->text, kStartupDone);
  setup.Dismiss(*message);
  EXPECT_TRUE(DeleteFileW((Folder(CSIDL_STARTUP) + L"\\memoを忘れるな.lnk").c_str()));
}

TEST_F(ShortcutCommands, TheSameFileTwiceWritesTheShortcutAgain) {
  ui::TempFolder files(L"commands_twice");
  const std::wstring file = files.Write(L"twice.txt", "x");
  const std::wstring link = Folder(CSIDL_DESKTOPDIRECTORY) + L"\\twiceを忘れるな.lnk";
  std::ofstream(fs::path(link), std::ios::binary) << "an old, broken shortcut";
  SetupWindow setup;
  ASSERT_TRUE(setup.Ready());
  setup.SetPath(file);
  for (int i = 0; i < 2; ++i) {
    const auto message = setup.Press(kDesktopButton);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->text, kDesktopDone);
    setup.Dismiss(*message);
    EXPECT_EQ(shell_test::ReadShortcut(link).arguments, Quoted(file));
  }
  DeleteFileW(link.c_str());
}

TEST_F(ShortcutCommands, ARelativePathIsStoredAsItsFullPath) {
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  const std::wstring full = std::wstring(current) + L"\\relative memo.txt";
  std::ofstream(fs::path(full)) << "x";
  const std::wstring link = Folder(CSIDL_DESKTOPDIRECTORY) + L"\\relative memoを忘れるな.lnk";
  {
    SetupWindow setup;  // started in this program's current directory
    ASSERT_TRUE(setup.Ready());
    setup.SetPath(L"relative memo.txt");
    const auto message = setup.Press(kDesktopButton);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->text, kDesktopDone);
    setup.Dismiss(*message);
    EXPECT_EQ(setup.Path(), L"relative memo.txt");
  }
  EXPECT_EQ(shell_test::ReadShortcut(link).arguments, Quoted(full));
  DeleteFileW(full.c_str());
  DeleteFileW(link.c_str());
}

// A reminder box of any process, found by its caption; with the process it belongs to.
struct ShownReminder {
  HWND box = nullptr;
  HANDLE process = nullptr;
};

ShownReminder WaitForReminder(const std::wstring& caption) {
  ShownReminder shown;
  ui::WaitUntil([&] {
    shown.box = FindWindowW(L"#32770", caption.c_str());
    return shown.box != nullptr && IsWindowVisible(shown.box);
  });
  if (shown.box != nullptr) {
    DWORD id = 0;
    GetWindowThreadProcessId(shown.box, &id);
    shown.process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
  }
  return shown;
}

// Reads the reminder, closes it with OK and returns the program's exit code.
std::optional<DWORD> CheckAndClose(const ShownReminder& shown, const std::wstring& text) {
  if (shown.box == nullptr || shown.process == nullptr) return std::nullopt;
  Sleep(200);
  const ui::MessageBoxView view = ui::ReadMessageBox(shown.box);
  EXPECT_EQ(view.text, text);
  EXPECT_EQ(view.icon, IDI_INFORMATION);
  ui::Click(ui::FindChild(shown.box, L"Button", L"OK"));
  std::optional<DWORD> code;
  if (WaitForSingleObject(shown.process, 20000) == WAIT_OBJECT_0) {
    DWORD value = 0;
    GetExitCodeProcess(shown.process, &value);
    code = value;
  }
  CloseHandle(shown.process);
  return code;
}

// The whole job: the Startup shortcut comes up at the next logon (Wine's wineboot without
// flags starts every item of the Startup folder, as a logon does), the desktop shortcut
// when it is opened through the shell.
TEST_F(ShortcutCommands, TheShortcutsShowTheReminderAtLogonAndWhenOpened) {
  if (!shell_test::RunningOnWine()) GTEST_SKIP() << "a logon is simulated with Wine's wineboot";
  ui::TempFolder files(L"commands logon");
  const wchar_t* names[] = {L"買い物 メモ.txt", L"表.txt"};
  for (const wchar_t* name : names) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
    const std::wstring file = files.Write(name, "\x94\x83\x82\xA2\x95\xA8\r\n\x8B\x8D\x93\xFB");  // 買い物 / 牛乳 in Shift_JIS
    const std::wstring caption(fs::path(file).stem().wstring());
    const std::wstring text = L"買い物\r\n牛乳\r\n";
    EmptyFolder(Folder(CSIDL_STARTUP));
    {
      SetupWindow setup;
      ASSERT_TRUE(setup.Ready());
      setup.SetPath(file);
      for (const wchar_t* button : {kStartupButton, kDesktopButton}) {
        const auto message = setup.Press(button);
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->caption, L"情報");
        setup.Dismiss(*message);
      }
    }

    ui::Process logon(L"C:\\windows\\system32\\wineboot.exe", L"");
    EXPECT_EQ(CheckAndClose(WaitForReminder(caption), text), 0u) << "at logon";
    logon.WaitForExit();

    const std::wstring desktopLink = Folder(CSIDL_DESKTOPDIRECTORY) + L"\\" + caption + L"を忘れるな.lnk";
    SHELLEXECUTEINFOW open{};
    open.cbSize = sizeof(open);
    open.fMask = SEE_MASK_NOCLOSEPROCESS;
    open.lpVerb = L"open";
    open.lpFile = desktopLink.c_str();
    open.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&open));
    if (open.hProcess != nullptr) CloseHandle(open.hProcess);
    EXPECT_EQ(CheckAndClose(WaitForReminder(caption), text), 0u) << "opened from the desktop";
    DeleteFileW(desktopLink.c_str());
  }
  EmptyFolder(Folder(CSIDL_STARTUP));
}

}  // namespace
