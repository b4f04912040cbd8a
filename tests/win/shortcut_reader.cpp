#include "shortcut_reader.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace shell_test {

using Microsoft::WRL::ComPtr;

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
