// GetSpecialFolder against the real shell of the Wine prefix.
#include "shell/folder_lookup.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "shell_test_support.h"

namespace {

using mimoruka::GetSpecialFolder;

std::wstring Environment(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  return value != nullptr ? value : L"";
}

// Paths compare without regard to case, as the file system does (Wine spells the user's
// Startup folder "StartUp").
testing::AssertionResult SamePath(const std::wstring& actual, const std::wstring& expected) {
  if (CompareStringOrdinal(actual.c_str(), -1, expected.c_str(), -1, TRUE) == CSTR_EQUAL)
    return testing::AssertionSuccess();
  return testing::AssertionFailure()
         << testing::PrintToString(actual) << " is not " << testing::PrintToString(expected);
}

TEST(GetSpecialFolder, FindsCurrentUsersStartupAndDesktopFolders) {
  const struct {
    int csidl;
    int commonCsidl;
    std::wstring expected;
  } cases[] = {
      {CSIDL_STARTUP, CSIDL_COMMON_STARTUP,
       Environment(L"APPDATA") + L"\\Microsoft\\Windows\\Start Menu\\Programs\\Startup"},
      {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY,
       Environment(L"USERPROFILE") + L"\\Desktop"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.csidl);
    const std::wstring folder = GetSpecialFolder(c.csidl);
    EXPECT_TRUE(SamePath(folder, c.expected));
    EXPECT_TRUE(shell_test::DirectoryExists(folder));
    EXPECT_FALSE(SamePath(folder, GetSpecialFolder(c.commonCsidl)));
    EXPECT_EQ(GetSpecialFolder(c.csidl), folder);  // asked again: the same answer
  }
}

// Sets one value under HKEY_CURRENT_USER and puts the old one (or its absence) back at the end.
class UserRegistryValue {
 public:
  UserRegistryValue(std::wstring key, std::wstring name)
      : key_(std::move(key)), name_(std::move(name)) {
    DWORD type = 0, size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                     &type, nullptr, &size) != ERROR_SUCCESS)
      return;
    std::vector<BYTE> data(size);
    if (RegGetValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                     &type, data.data(), &size) == ERROR_SUCCESS) {
      data.resize(size);
      saved_ = Saved{type, std::move(data)};
    }
  }
  ~UserRegistryValue() {
    if (saved_)
      RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), saved_->type,
                      saved_->data.data(), static_cast<DWORD>(saved_->data.size()));
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str());
  }
  UserRegistryValue(const UserRegistryValue&) = delete;
  UserRegistryValue& operator=(const UserRegistryValue&) = delete;

  bool Set(const std::wstring& text) {
    return RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), name_.c_str(), REG_SZ, text.c_str(),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
  }

 private:
  struct Saved {
    DWORD type;
    std::vector<BYTE> data;
  };
  std::wstring key_;
  std::wstring name_;
  std::optional<Saved> saved_;
};

// The longest path the shell can hand over (MAX_PATH - 1 characters and the NUL) comes back
// whole. The user's Templates folder, which nothing else here uses, is moved there for it.
TEST(GetSpecialFolder, ReturnsPathOfMaxPathMinusOneWhole) {
  const std::wstring prefix = shell_test::LinkFolder() + L"\\";
  ASSERT_LT(prefix.size(), 200u);
  const std::wstring longFolder = prefix + std::wstring(MAX_PATH - 1 - prefix.size(), L'x');
  ASSERT_EQ(longFolder.size(), 259u);
  ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + longFolder).c_str(), nullptr));

  constexpr wchar_t kExplorer[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
  UserRegistryValue userFolder(std::wstring(kExplorer) + L"User Shell Folders", L"Templates");
  UserRegistryValue shellFolder(std::wstring(kExplorer) + L"Shell Folders", L"Templates");
  ASSERT_TRUE(userFolder.Set(longFolder));

  EXPECT_EQ(GetSpecialFolder(CSIDL_TEMPLATES), longFolder);
}

TEST(GetSpecialFolder, GivesEmptyTextWhenShellHasNoPath) {
  const struct {
    int csidl;
    const char* what;
  } cases[] = {
      {0x00FF, "no such folder"},
      {-1, "no such folder"},
      {CSIDL_DRIVES, "virtual folder without a file-system path"},
      {CSIDL_CONTROLS, "virtual folder without a file-system path"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.csidl << ": " << c.what);
    EXPECT_EQ(GetSpecialFolder(c.csidl), L"");
  }
}

}  // namespace
