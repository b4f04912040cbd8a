#include "shell_test_support.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "toolkit/application.h"

namespace shell_test {
namespace {

using Microsoft::WRL::ComPtr;

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::filesystem::path(path).parent_path().wstring();
}

// One application object for the whole run, as in the program: it initialises COM and
// owns the hidden window the shell calls get as owner. The link folder starts empty.
class ShellEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    app_ = std::make_unique<toolkit::TApplication>();
    ASSERT_TRUE(app_->ComInitialized());
    std::error_code error;
    std::filesystem::remove_all(LinkFolder(), error);
    ASSERT_FALSE(error) << error.message();
    ASSERT_TRUE(std::filesystem::create_directories(LinkFolder()));
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<toolkit::TApplication> app_;
};

[[maybe_unused]] testing::Environment* const g_environment =
    testing::AddGlobalTestEnvironment(new ShellEnvironment);

}  // namespace

const std::wstring& LinkFolder() {
  static const std::wstring folder = ProgramFolder() + L"\\shell_links";
  return folder;
}

void MakeEmptyFile(const std::wstring& path) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  std::ofstream file(std::filesystem::path(path), std::ios::binary);
  ASSERT_TRUE(file.good()) << "cannot make " << testing::PrintToString(path);
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ShortcutFields ReadShortcut(const std::wstring& linkFile) {
  ShortcutFields fields;
  ComPtr<IShellLinkW> link;
  HRESULT hr =
      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
  EXPECT_EQ(hr, S_OK);
  if (FAILED(hr)) return fields;
  ComPtr<IPersistFile> file;
  hr = link.As(&file);
  EXPECT_EQ(hr, S_OK);
  if (FAILED(hr)) return fields;
  hr = file->Load(linkFile.c_str(), STGM_READ);
  EXPECT_EQ(hr, S_OK) << "loading " << testing::PrintToString(linkFile);
  if (FAILED(hr)) return fields;

  wchar_t text[INFOTIPSIZE] = {};
  EXPECT_EQ(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH), S_OK);
  fields.path = text;
  text[0] = L'\0';
  EXPECT_EQ(link->GetArguments(text, INFOTIPSIZE), S_OK);
  fields.arguments = text;
  text[0] = L'\0';
  EXPECT_EQ(link->GetWorkingDirectory(text, MAX_PATH), S_OK);
  fields.workingDirectory = text;
  EXPECT_EQ(link->GetShowCmd(&fields.showCmd), S_OK);
  return fields;
}

int ReadShowCommandField(const std::wstring& linkFile) {
  std::ifstream file(std::filesystem::path(linkFile), std::ios::binary);
  unsigned char bytes[4] = {};
  if (!file.seekg(60) || !file.read(reinterpret_cast<char*>(bytes), sizeof bytes)) return -1;
  return static_cast<int>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                          static_cast<unsigned>(bytes[3]) << 24);
}

bool RunningOnWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace shell_test
