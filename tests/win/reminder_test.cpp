// Reminder mode, driven from outside against the real mimoruka.exe.
#include <gtest/gtest.h>

#include <cwctype>

#include "ui_driver.h"

namespace {

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// Starts the program with arguments and expects the reminder box; returns what it shows.
ui::MessageBoxView ExpectReminder(ui::Process& program) {
  const auto box = ui::WaitForMessageBox(program);
  EXPECT_TRUE(box.has_value()) << "no message box";
  return box.value_or(ui::MessageBoxView{});
}

void CloseWithOk(ui::Process& program, const ui::MessageBoxView& box) {
  ui::Click(ui::FindChild(box.window, L"Button", L"OK"));
  EXPECT_EQ(program.WaitForExit(), 0u);
}

const std::string kShiftJisMemo =
    "\x94\x83\x82\xA2\x95\xA8\x83\x81\x83\x82\x81\x46\x8B\x8D\x93\xFB\x82\xC6\xCA\xDF\xDD\x81\x41\x95\x5C\x83\x5C\x94\x5C";
const std::string kUtf8Memo =
    "\xE8\xB2\xB7\xE3\x81\x84\xE7\x89\xA9\xE3\x83\xA1\xE3\x83\xA2\xEF\xBC\x9A\xE7\x89\x9B\xE4\xB9\xB3\xE3\x81\xA8"
    "\xEF\xBE\x8A\xEF\xBE\x9F\xEF\xBE\x9D\xE3\x80\x81\xE8\xA1\xA8\xE3\x82\xBD\xE8\x83\xBD";
const wchar_t kMemo[] = L"買い物メモ：牛乳とﾊﾟﾝ、表ソ能";

std::string Utf16(std::wstring_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (wchar_t unit : text) {
    const char hi = static_cast<char>(unit >> 8), lo = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? hi : lo;
    bytes += bigEndian ? lo : hi;
  }
  return bytes;
}

TEST(Reminder, ShowsTheTextWithEveryLineEndedByCrLf) {
  const struct {
    const char* name;
    std::string bytes;
    std::wstring text;
  } cases[] = {
      {"Shift_JIS", kShiftJisMemo + "\r\nline 2", std::wstring(kMemo) + L"\r\nline 2\r\n"},
      {"UTF-8", kUtf8Memo + "\n", std::wstring(kMemo) + L"\r\n"},
      {"UTF-8 with mark", "\xEF\xBB\xBF" + kUtf8Memo, std::wstring(kMemo) + L"\r\n"},
      {"UTF-16 LE", Utf16(std::wstring(kMemo) + L"\r\n", false), std::wstring(kMemo) + L"\r\n"},
      {"UTF-16 BE", Utf16(kMemo, true), std::wstring(kMemo) + L"\r\n"},
      {"empty", "", L""},
      {"mixed line ends", "a\nb\rc\r\nd\n\re", L"a\r\nb\r\nc\r\nd\r\n\r\ne\r\n"},
      {"NUL ends the text", std::string("before\0after", 12), L"before\r\n"},
      {"UTF-16 without mark stops at its first zero byte", std::string("m\0e\0m\0o\0", 8), L"m\r\n"},
      {"a broken Shift_JIS character keeps its line break", "\x82\r\nline\n\x82\nend\x82",
       L"\x30FB\r\nline\r\n\x30FB\r\nend\x30FB\r\n"},
  };
  ui::TempFolder folder(L"reminder_text");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring file = folder.Write(L"memo.txt", c.bytes);
    ui::Process program(ui::ProductPath(), Quoted(file));
    const ui::MessageBoxView box = ExpectReminder(program);
    EXPECT_EQ(box.caption, L"memo");
    EXPECT_EQ(box.text, c.text);
    CloseWithOk(program, box);
  }
}

TEST(Reminder, IsAnInformationBoxWithOneOkButtonOwnedByTheHiddenWindow) {
  ui::TempFolder folder(L"reminder_box");
  const std::wstring file = folder.Write(L"memo.txt", "milk");
  ui::Process program(ui::ProductPath(), Quoted(file));
  const ui::MessageBoxView box = ExpectReminder(program);
  EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_TRUE(box.hasIcon);
  EXPECT_EQ(box.icon, IDI_INFORMATION);
  const HWND owner = ui::Owner(box.window);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(IsWindowVisible(owner));
  DWORD ownerProcess = 0;
  GetWindowThreadProcessId(owner, &ownerProcess);
  EXPECT_EQ(ownerProcess, program.Id());
  EXPECT_EQ(program.Windows().size(), 1u) << "the box is the only visible window";
  // Enter closes the box as well as the OK button does.
  ui::BringToFront(box.window);
  ui::PressKey(VK_RETURN);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Reminder, CaptionIsTheBaseNameOfTheFile) {
  const struct {
    const wchar_t* file;
    const wchar_t* caption;
  } cases[] = {
      {L"a.b.txt", L"a.b"},
      {L".txt", L""},
      {L"noext", L"noext"},
      {L"表.txt", L"表"},
      {L"ソ能.memo.txt", L"ソ能.memo"},
  };
  ui::TempFolder folder(L"reminder_names");
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.file)));
    const std::wstring file = folder.Write(c.file, "x");
    ui::Process program(ui::ProductPath(), Quoted(file));
    const ui::MessageBoxView box = ExpectReminder(program);
    EXPECT_EQ(box.caption, c.caption);
    EXPECT_EQ(box.text, L"x\r\n");
    CloseWithOk(program, box);
  }
}

TEST(Reminder, TakesOnlyTheFirstArgumentSplitTheClassicWay) {
  ui::TempFolder folder(L"reminder args");  // a blank in every path
  const std::wstring file = folder.Write(L"my memo.txt", "x");
  const std::wstring argumentLists[] = {
      Quoted(file),
      L"\"\" " + Quoted(file),               // an empty quoted argument vanishes
      Quoted(file) + L" \"C:\\other.txt\" x",  // the rest is ignored
      L"\"\"" + Quoted(file),
  };
  for (const std::wstring& arguments : argumentLists) {
    SCOPED_TRACE(testing::PrintToString(arguments));
    ui::Process program(ui::ProductPath(), arguments);
    const ui::MessageBoxView box = ExpectReminder(program);
    EXPECT_EQ(box.caption, L"my memo");
    CloseWithOk(program, box);
  }
}

TEST(Reminder, NoExistingFileOpensTheSetupWindowWithoutAMessage) {
  ui::TempFolder folder(L"reminder_setup");
  const std::wstring arguments[] = {L"", Quoted(folder.Path()), Quoted(folder.Path() + L"\\missing.txt"),
                                    L"\"\""};
  for (const std::wstring& argument : arguments) {
    SCOPED_TRACE(testing::PrintToString(argument));
    ui::Process program(ui::ProductPath(), argument);
    const HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui::Text(window), L"ミモルカ");
    EXPECT_FALSE(ui::IsDialogBox(window));
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
}

// The offset of an address in mimoruka.exe must fall inside its image.
DWORD ImageSize(const std::wstring& exe) {
  std::string bytes(4096, '\0');
  HANDLE file = CreateFileW(exe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  const auto at = [&](size_t offset) { return *reinterpret_cast<const DWORD*>(bytes.data() + offset); };
  const DWORD header = at(0x3C);
  return at(header + 24 + 56);  // OptionalHeader.SizeOfImage
}

TEST(Reminder, AFileHeldOpenForWritingEndsWithTheApplicationErrorBox) {
  ui::TempFolder folder(L"reminder_locked");
  const std::wstring file = folder.Write(L"locked.txt", "x");
  HANDLE writer = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);

  ui::Process program(ui::ProductPath(), Quoted(file));
  const auto box = ui::WaitForMessageBox(program);
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->caption, L"アプリケーション エラー");
  EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_EQ(box->icon, IDI_ERROR);
  EXPECT_EQ(ui::Owner(box->window), nullptr);

  const std::wstring head = L"EFOpenError がモジュール mimoruka.exe の ";
  const std::wstring tail = L" で発生しました。\r\nファイル " + file + L" は開けません.\r\n";
  ASSERT_GE(box->text.size(), head.size() + 8 + tail.size()) << testing::PrintToString(box->text);
  EXPECT_EQ(box->text.substr(0, head.size()), head);
  EXPECT_EQ(box->text.substr(head.size() + 8), tail);
  const std::wstring offset = box->text.substr(head.size(), 8);
  for (wchar_t c : offset) EXPECT_TRUE(std::iswdigit(c) || (c >= L'A' && c <= L'F')) << "offset " << offset;
  const DWORD value = std::wcstoul(offset.c_str(), nullptr, 16);
  EXPECT_GT(value, 0x1000u);
  EXPECT_LT(value, ImageSize(ui::ProductPath()));

  ui::Click(ui::FindChild(box->window, L"Button", L"OK"));
  EXPECT_EQ(program.WaitForExit(), 1u);
  CloseHandle(writer);
}

}  // namespace

namespace {

TEST(Reminder, LargeFilesAreShownWhole) {
  std::string manyLines;
  for (int i = 0; i < 500'000; ++i) manyLines += "line of a long reminder\n";  // 12 MB
  const struct {
    const char* name;
    std::string bytes;
    size_t textLength;
  } cases[] = {
      {"many lines", manyLines, 500'000 * 25},
      {"one line of 1 MB", std::string(1'000'000, 'x'), 1'000'002},
  };
  ui::TempFolder folder(L"reminder_large");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring file = folder.Write(L"large.txt", c.bytes);
    ui::Process program(ui::ProductPath(), Quoted(file));
    const HWND box = program.WaitForWindow(ui::IsDialogBox, std::chrono::seconds(120));
    ASSERT_NE(box, nullptr);
    size_t longest = 0;
    for (HWND child : ui::Children(box))
      if (ui::ClassName(child) == L"Static") longest = std::max(longest, ui::Text(child).size());
    EXPECT_EQ(longest, c.textLength);
    ui::Click(ui::FindChild(box, L"Button", L"OK"));
    EXPECT_EQ(program.WaitForExit(), 0u);
  }
}

}  // namespace
