// MakeShortcut against the real shell shortcut object, read back with the shell's loader.
// normal.lnk, minimized.lnk, maximized.lnk and 表を忘れるな.lnk stay in the link folder for
// check_lnk_with_lnkinfo.sh.
#include "shell/shortcut.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "shell_test_support.h"

namespace {

using mimoruka::MakeShortcut;
using mimoruka::TWindowState;
using shell_test::LinkFolder;
using shell_test::ReadShortcut;

// The same texts are expected by check_lnk_with_lnkinfo.sh.
constexpr wchar_t kTargetName[] = L"ミモルカ 本体.exe";
constexpr wchar_t kArguments[] = L"\"C:\\メモ 帳\\買い物 表.txt\"";

// The shortcut's target must exist: the shell's SetPath answers S_FALSE for a missing one.
std::wstring Target() {
  const std::wstring target = LinkFolder() + L"\\" + kTargetName;
  if (!shell_test::FileExists(target)) shell_test::MakeEmptyFile(target);
  return target;
}

TEST(MakeShortcut, StoresPathArgumentsEmptyWorkDirAndShowCommand) {
  const struct {
    TWindowState state;
    const wchar_t* linkName;
    int showCmd;
  } cases[] = {
      {mimoruka::wsNormal, L"normal.lnk", 1},
      {mimoruka::wsMinimized, L"minimized.lnk", 6},
      {mimoruka::wsMaximized, L"maximized.lnk", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.linkName)));
    const std::wstring linkFile = LinkFolder() + L"\\" + c.linkName;
    ASSERT_TRUE(MakeShortcut(linkFile, Target(), kArguments, L"", c.state));

    const shell_test::ShortcutFields fields = ReadShortcut(linkFile);
    EXPECT_EQ(fields.path, Target());
    EXPECT_EQ(fields.arguments, kArguments);
    EXPECT_EQ(fields.workingDirectory, L"");
    EXPECT_EQ(shell_test::ReadShowCommandField(linkFile), c.showCmd);
    // Wine's loader does not read the show command back; Windows' does.
    if (!shell_test::RunningOnWine()) {
      EXPECT_EQ(fields.showCmd, c.showCmd);
    }
  }
}

TEST(MakeShortcut, KeepsJapaneseLinkFileName) {
  const std::wstring linkFile = LinkFolder() + L"\\表を忘れるな.lnk";
  ASSERT_TRUE(MakeShortcut(linkFile, Target(), kArguments, L"", mimoruka::wsNormal));

  // The directory lists the file under exactly the name given.
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((LinkFolder() + L"\\*を忘れるな.lnk").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  EXPECT_EQ(std::wstring(found.cFileName), L"表を忘れるな.lnk");
  EXPECT_EQ(ReadShortcut(linkFile).arguments, kArguments);
}

// Nothing is checked or created beforehand, and a refused step leaves no file behind.
TEST(MakeShortcut, FailsWithoutLeavingFileOrFolder) {
  const std::wstring missingFolder = LinkFolder() + L"\\存在しない";
  const struct {
    const char* what;
    std::wstring linkFile;
    std::wstring target;
  } cases[] = {
      // The save fails.
      {"link in a missing folder", missingFolder + L"\\表を忘れるな.lnk", Target()},
      // The shell answers S_FALSE to a target that does not exist: not S_OK, so a failure.
      {"missing target", LinkFolder() + L"\\no_target.lnk", missingFolder + L"\\ミモルカ.exe"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(MakeShortcut(c.linkFile, c.target, kArguments, L"", mimoruka::wsNormal));
    EXPECT_FALSE(shell_test::FileExists(c.linkFile));
    EXPECT_FALSE(shell_test::DirectoryExists(missingFolder));
  }
}

TEST(MakeShortcut, OverwritesExistingShortcut) {
  const std::wstring linkFile = LinkFolder() + L"\\overwritten.lnk";
  ASSERT_TRUE(MakeShortcut(linkFile, Target(), L"first", L"", mimoruka::wsNormal));
  ASSERT_TRUE(MakeShortcut(linkFile, Target(), kArguments, L"", mimoruka::wsMaximized));

  const shell_test::ShortcutFields fields = ReadShortcut(linkFile);
  EXPECT_EQ(fields.arguments, kArguments);
  EXPECT_EQ(shell_test::ReadShowCommandField(linkFile), SW_SHOWMAXIMIZED);
}

}  // namespace
