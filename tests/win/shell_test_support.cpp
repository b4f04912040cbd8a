#include "shell_test_support.h"

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include <gtest/gtest.h>

#include "toolkit/application.h"

namespace shell_test {
namespace {


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

}  // namespace shell_test
