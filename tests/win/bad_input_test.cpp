// Bad inputs, end to end against the real mimoruka.exe: every reminder file, command line,
// edit-box text and Startup folder a user may end up with, each with the outcome the program
// must give, a bounded wait and the exit code. Around every run the user's profile and the
// test folder are compared before and after: nothing may change but the one shortcut a
// command reports, and a reminder file keeps its bytes and its time stamp.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "file_tree.h"
#include "setup_window_driver.h"
#include "shortcut_reader.h"
#include "ui_driver.h"

namespace {

using namespace std::chrono_literals;
using setup_test::Quoted;
using setup_test::StartupFolderChange;

// Wine needs a few seconds to lay out the text of the 100 MB file.
constexpr auto kBoxLimit = 120s;

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

// Paths of any length for the test's own file work ("\\?\" switches off the MAX_PATH limit).
std::wstring Extended(const std::wstring& path) { return L"\\\\?\\" + path; }

void MakeFolder(const std::wstring& path) {
  ASSERT_TRUE(CreateDirectoryW(Extended(path).c_str(), nullptr)) << testing::PrintToString(path);
}

// A chain of folders from `folder` down, each step named `step`, deep enough that the
// deepest folder plus `tail` more characters passes `length`. Returns the deepest folder.
std::wstring DeepFolder(std::wstring folder, const std::wstring& step, size_t tail, size_t length) {
  MakeFolder(folder);
  while (folder.size() + tail <= length) {
    folder += L"\\" + step;
    MakeFolder(folder);
  }
  return folder;
}

void Write(const std::wstring& path, const std::string& bytes) {
  const HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << testing::PrintToString(path);
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_TRUE(ok && written == bytes.size());
}

std::string Read(const std::wstring& path) {
  const HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(unreadable)";
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

// Where Windows lets a long-path-aware program use paths past MAX_PATH: always under Wine,
// on Windows only when long paths are switched on for the system.
bool LongPathsAllowed() {
  if (shell_test::RunningOnWine()) return true;
  DWORD enabled = 0, size = sizeof(enabled);
  return RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Control\\FileSystem", L"LongPathsEnabled",
                      RRF_RT_REG_DWORD, nullptr, &enabled, &size) == ERROR_SUCCESS &&
         enabled == 1;
}

// The character the system code page puts in place of a byte sequence it cannot decode.
wchar_t CodePageDefaultChar() {
  CPINFOEXW info{};
  GetCPInfoExW(CP_ACP, 0, &info);
  return info.UnicodeDefaultChar;
}

// Nothing lost, nothing stray: the user's profile (its linked Desktop and Documents
// included) and the test folder, compared before and after one run. The Desktop comes
// first, so that a folder it shares with Documents and others is listed under its name.
class TreeWatch {
 public:
  explicit TreeWatch(const std::wstring& testFolder)
      : roots_{setup_test::Folder(CSIDL_DESKTOPDIRECTORY), Environment(L"USERPROFILE"), testFolder},
        before_(file_tree::Take(roots_)) {}

  // Fails the current test for every difference but the shortcut link (if any): the file
  // itself, and the last-write time of the folder that holds it.
  void ExpectNoChangeBut(const std::wstring& link = L"") const {
    EXPECT_FALSE(roots_[0].empty() || roots_[1].empty()) << "no desktop or user profile";
    const std::wstring linkKey = link.empty() ? L"" : file_tree::Key(link);
    const std::wstring folderKey = linkKey.substr(0, linkKey.find_last_of(L'\\'));
    for (const file_tree::Difference& d : file_tree::Differences(before_, file_tree::Take(roots_))) {
      const std::wstring key = file_tree::Key(d.Path());
      if (!link.empty() && key == linkKey) continue;
      if (!link.empty() && key == folderKey && d.kind == file_tree::Difference::kChanged && d.after.directory) continue;
      ADD_FAILURE() << testing::PrintToString(d.Describe());
    }
  }

 private:
  std::vector<std::wstring> roots_;
  file_tree::Snapshot before_;
};

// ---------------------------------------------------------------------------------------
// Reminder runs: a command line, and what the program makes of it.

enum class Outcome {
  kReminder,          // the reminder box: information icon, OK
  kSetupWindow,       // the setup window, without any message
  kApplicationError,  // the last-resort box "アプリケーション エラー": stop icon, OK
};

using TextCheck = std::function<testing::AssertionResult(const std::wstring& text)>;

TextCheck Is(const std::wstring& expected) {
  return [expected](const std::wstring& text) {
    if (text == expected) return testing::AssertionSuccess();
    return testing::AssertionFailure() << testing::PrintToString(text) << " is not "
                                       << testing::PrintToString(expected);
  };
}

// Text made of whole lines, each ended by CR LF (no lone CR or LF, no NUL), of a length
// between shortest and longest.
TextCheck LinesOfLength(size_t shortest, size_t longest) {
  return [=](const std::wstring& text) {
    if (text.size() < shortest || text.size() > longest)
      return testing::AssertionFailure() << "length " << text.size() << " outside " << shortest << ".." << longest;
    for (size_t i = 0; i < text.size(); ++i) {
      const bool badCr = text[i] == L'\r' && (i + 1 == text.size() || text[i + 1] != L'\n');
      const bool badLf = text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r');
      if (badCr || badLf || text[i] == L'\0')
        return testing::AssertionFailure() << "character " << static_cast<int>(text[i]) << " at " << i;
    }
    if (!text.empty() && !text.ends_with(L"\r\n")) return testing::AssertionFailure() << "no line end at the end";
    return testing::AssertionSuccess();
  };
}

// The last-resort report of a file that cannot be opened; the address in between varies.
TextCheck OpenErrorReport(const std::wstring& path) {
  const std::wstring head = L"EFOpenError がモジュール mimoruka.exe の ";
  const std::wstring tail = L" で発生しました。\r\nファイル " + path + L" は開けません.\r\n";
  return [=](const std::wstring& text) {
    if (text.size() == head.size() + 8 + tail.size() && text.starts_with(head) && text.ends_with(tail))
      return testing::AssertionSuccess();
    return testing::AssertionFailure() << testing::PrintToString(text);
  };
}

struct RunRow {
  const char* name;
  std::wstring commandLine;  // complete, the program's own name included
  Outcome outcome;
  std::wstring caption;      // of the reminder box
  TextCheck text;            // of the reminder box or the error report
  DWORD exitCode;
  std::wstring file;         // the reminder file the run must leave as it was
  bool lockedForWriting = false;
};

bool FullyOnScreen(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
         r.bottom <= GetSystemMetrics(SM_CYSCREEN);
}

void CheckRun(const RunRow& row, const std::wstring& testFolder) {
  const std::string bytesBefore = row.file.empty() ? "" : Read(row.file);
  // Another program holding the file open for writing, for the whole run.
  struct Writer {
    HANDLE handle = INVALID_HANDLE_VALUE;
    ~Writer() {
      if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
  } writer;
  if (row.lockedForWriting) {
    writer.handle = CreateFileW(row.file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer.handle, INVALID_HANDLE_VALUE);
  }
  const TreeWatch watch(testFolder);
  {
    ui::Process program = ui::Process::WithCommandLine(ui::ProductPath(), row.commandLine);
    ASSERT_NE(program.Handle(), nullptr) << "not started";
    if (row.outcome == Outcome::kSetupWindow) {
      const HWND window = program.WaitForWindow();
      ASSERT_NE(window, nullptr) << "no window";
      EXPECT_EQ(ui::Text(window), L"ミモルカ");
      EXPECT_FALSE(ui::IsDialogBox(window)) << "a message instead of the setup window";
      PostMessageW(window, WM_CLOSE, 0, 0);
    } else {
      const auto box = ui::WaitForMessageBox(program, kBoxLimit);
      ASSERT_TRUE(box.has_value()) << "no message box";
      const bool reminder = row.outcome == Outcome::kReminder;
      EXPECT_EQ(box->caption, reminder ? row.caption : L"アプリケーション エラー");
      EXPECT_TRUE(row.text(box->text));
      EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
      EXPECT_TRUE(box->hasIcon);
      // Wine lays a box with a huge text out beyond the screen, where its icon cannot be seen.
      if (FullyOnScreen(box->window)) {
        EXPECT_EQ(box->icon, reminder ? IDI_INFORMATION : IDI_ERROR);
      }
      ui::Click(ui::FindChild(box->window, L"Button", L"OK"));
    }
    EXPECT_EQ(program.WaitForExit(), row.exitCode);
  }
  watch.ExpectNoChangeBut();
  if (!row.file.empty()) {
    EXPECT_TRUE(Read(row.file) == bytesBefore) << "the reminder file was modified";
  }
}

TEST(BadInput, ReminderRuns) {
  ui::TempFolder folder(L"bad_input");
  const std::wstring dir = folder.Path() + L"\\";
  const std::wstring program = Quoted(ui::ProductPath());

  const std::wstring missing = dir + L"missing.txt";
  const std::wstring directory = dir + L"a folder.txt";
  MakeFolder(directory);
  const std::wstring locked = dir + L"locked.txt";
  Write(locked, "milk");
  const std::wstring empty = dir + L"empty.txt";
  Write(empty, "");
  const std::wstring utf16 = dir + L"utf16.txt";
  Write(utf16, std::string("\xFF\xFE\xE1\x30\xE2\x30\r\0\n\0\x68\x88", 12));  // メモ CR LF 表, little-endian

  // Random bytes from a fixed seed: the text ends at the first NUL; without NUL bytes all of
  // it goes through the code page's decoder.
  std::mt19937 random(20240611);
  std::string binary(64 * 1024, '\0'), binaryNoNul(64 * 1024, '\0');
  for (char& c : binary) c = static_cast<char>(random() & 0xFF);
  for (char& c : binaryNoNul) c = static_cast<char>(1 + random() % 255);
  const size_t firstNul = binary.find('\0');
  const std::wstring random1 = dir + L"random.bin", random2 = dir + L"random without NUL.bin";
  Write(random1, binary);
  Write(random2, binaryNoNul);

  const std::wstring leadByte = dir + L"lead byte.txt";
  Write(leadByte, "\x83\x81\x83\x82\x82");  // メモ in Shift_JIS and a lone lead byte

  constexpr size_t kLines = 4 * 1024 * 1024;  // 100.7 MB in lines of 24 bytes
  const std::string line = "line of a long reminder\n";
  const size_t hugeText = kLines * (line.size() + 1);  // each line ended by CR LF
  std::string huge;
  huge.reserve(kLines * line.size());
  for (size_t i = 0; i < kLines; ++i) huge += line;
  const std::wstring hugeFile = dir + L"huge.txt";
  Write(hugeFile, huge);
  huge = std::string();

  // Blanks, Japanese, and 表 and ソ, whose second Shift_JIS byte is 0x5C, the code of "\".
  const std::wstring oddFolder = dir + L"メモ 帳 表";
  MakeFolder(oddFolder);
  const std::wstring odd = oddFolder + L"\\買い物 ソ表.txt";
  Write(odd, "\x8B\x8D\x93\xFB");  // 牛乳
  const std::wstring plain = dir + L"plain.txt";
  Write(plain, "x");

  // Deep enough for any temporary folder: the whole path passes 260 characters.
  const std::wstring longName = L"\\長い 名前の 表.txt";
  const std::wstring longPath = DeepFolder(dir + L"long", std::wstring(60, L'x'), longName.size(), 260) + longName;
  ASSERT_GT(longPath.size(), 260u);
  Write(longPath, "x");

  const std::vector<RunRow> rows = {
      {"missing file", program + L" " + Quoted(missing), Outcome::kSetupWindow, L"", nullptr, 0, L""},
      {"directory", program + L" " + Quoted(directory), Outcome::kSetupWindow, L"", nullptr, 0, L""},
      {"file locked for writing", program + L" " + Quoted(locked), Outcome::kApplicationError, L"",
       OpenErrorReport(locked), 1, locked, true},
      {"empty file", program + L" " + Quoted(empty), Outcome::kReminder, L"empty", Is(L""), 0, empty},
      {"UTF-16 with mark", program + L" " + Quoted(utf16), Outcome::kReminder, L"utf16", Is(L"メモ\r\n表\r\n"), 0,
       utf16},
      {"binary file", program + L" " + Quoted(random1), Outcome::kReminder, L"random",
       LinesOfLength(firstNul / 2, 2 * firstNul + 2), 0, random1},
      {"binary file without NUL bytes", program + L" " + Quoted(random2), Outcome::kReminder, L"random without NUL",
       LinesOfLength(binaryNoNul.size() / 2, 2 * binaryNoNul.size() + 2), 0, random2},
      {"lone Shift_JIS lead byte at the end", program + L" " + Quoted(leadByte), Outcome::kReminder, L"lead byte",
       Is(std::wstring(L"メモ") + CodePageDefaultChar() + L"\r\n"), 0, leadByte},
      {"100 MB file", program + L" " + Quoted(hugeFile), Outcome::kReminder, L"huge",
       LinesOfLength(hugeText, hugeText), 0, hugeFile},
      {"blanks, Japanese, 0x5C second bytes, in quotes", program + L" " + Quoted(odd), Outcome::kReminder,
       L"買い物 ソ表", Is(L"牛乳\r\n"), 0, odd},
      {"empty quoted argument first", program + L" \"\" " + Quoted(odd), Outcome::kReminder, L"買い物 ソ表",
       Is(L"牛乳\r\n"), 0, odd},
      {"control characters as separators", program + L"\t\x01\x1F" + plain + L"\x02second\x7Fthird",
       Outcome::kReminder, L"plain", Is(L"x\r\n"), 0, plain},
      {"path longer than 260 characters", program + L" " + Quoted(longPath),
       LongPathsAllowed() ? Outcome::kReminder : Outcome::kSetupWindow, L"長い 名前の 表", Is(L"x\r\n"), 0,
       longPath},
  };
  for (const RunRow& row : rows) {
    SCOPED_TRACE(row.name);
    CheckRun(row, folder.Path());
  }
}

// ---------------------------------------------------------------------------------------
// Shortcut commands: the edit box's text, the Startup folder, and what the command says.

struct CommandRow {
  const char* name;
  std::optional<StartupFolderChange::Kind> startup;
  std::wstring path;     // typed into the edit box
  const wchar_t* button;
  std::wstring message;  // the text of the answer
  bool information;      // an information dialog; else a plain message
  std::wstring link;     // the shortcut the command writes; empty when none
};

void CheckCommand(const CommandRow& row, const std::wstring& testFolder) {
  std::optional<StartupFolderChange> change;
  if (row.startup) {
    change.emplace(*row.startup);
    ASSERT_TRUE(change->Ready());
  }
  const TreeWatch watch(testFolder);
  {
    setup_test::SetupWindow setup;
    ASSERT_TRUE(setup.Ready());
    setup.SetPath(row.path);
    const auto message = setup.Press(row.button);
    ASSERT_TRUE(message.has_value()) << "no message";
    EXPECT_EQ(message->caption, row.information ? L"情報" : L"ミモルカ");
    EXPECT_EQ(message->text, row.message);
    EXPECT_EQ(message->icon, row.information ? IDI_INFORMATION : nullptr);
    setup.Dismiss(*message);
    EXPECT_EQ(setup.Path(), row.path) << "the edit box stays as it was";
  }
  watch.ExpectNoChangeBut(row.link);
  if (!row.link.empty()) {
    EXPECT_EQ(shell_test::ReadShortcut(row.link).arguments, Quoted(row.path));
    DeleteFileW(row.link.c_str());
  }
}

class BadSetupInput : public testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitialize(nullptr); }
  static void TearDownTestSuite() { CoUninitialize(); }
};

TEST_F(BadSetupInput, ShortcutCommands) {
  ui::TempFolder folder(L"bad_setup_input");
  const std::wstring memo = folder.Write(L"memo.txt", "x");
  const std::wstring startupLink = setup_test::Folder(CSIDL_STARTUP) + L"\\memoを忘れるな.lnk";
  DeleteFileW(startupLink.c_str());

  // A path of 300 characters in the edit box, naming an existing file and naming nothing.
  const std::wstring longFolder = DeepFolder(folder.Path() + L"\\long", std::wstring(40, L'y'), 0, 219);
  std::wstring longName(300 - longFolder.size() - 1 - 4, L'長');
  const std::wstring longPath = longFolder + L"\\" + longName + L".txt";
  ASSERT_EQ(longPath.size(), 300u);
  Write(longPath, "x");
  const std::wstring longLink = setup_test::Folder(CSIDL_DESKTOPDIRECTORY) + L"\\" + longName + L"を忘れるな.lnk";
  const std::wstring longMissing = longFolder + L"\\" + std::wstring(300 - longFolder.size() - 5, L'z') + L".txt";
  ASSERT_EQ(longMissing.size(), 300u);

  using setup_test::kDesktopButton;
  using setup_test::kStartupButton;
  const CommandRow rows[] = {
      {"Startup folder missing", StartupFolderChange::kMissing, memo, kStartupButton, setup_test::kFailed, false, L""},
      {"Startup folder replaced by a plain file", StartupFolderChange::kReplacedByFile, memo, kStartupButton,
       setup_test::kFailed, false, L""},
      // The read-only attribute of a folder does not keep files out of it, on Windows as
      // under Wine (which does not even keep the attribute on a folder).
      {"Startup folder read-only", StartupFolderChange::kReadOnly, memo, kStartupButton, setup_test::kStartupDone,
       true, startupLink},
      // Past MAX_PATH only where long paths are allowed; elsewhere the file cannot be found.
      {"edit box path of 300 characters", std::nullopt, longPath, kDesktopButton,
       LongPathsAllowed() ? setup_test::kDesktopDone : L"ファイル " + longPath + L" は存在しません。",
       LongPathsAllowed(), LongPathsAllowed() ? longLink : L""},
      {"edit box path of 300 characters naming nothing", std::nullopt, longMissing, kDesktopButton,
       L"ファイル " + longMissing + L" は存在しません。", false, L""},
  };
  for (const CommandRow& row : rows) {
    SCOPED_TRACE(row.name);
    CheckCommand(row, folder.Path());
  }
}

}  // namespace
