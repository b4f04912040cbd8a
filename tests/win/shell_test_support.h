// Shared pieces of the shell routine tests: the application object for the whole run, the
// folder the tests write shortcuts into.
#pragma once
#include <string>

#include "shortcut_reader.h"

namespace shell_test {

// <folder of the test program>\shell_links: emptied when the test program starts and left
// behind afterwards, so that check_lnk_with_lnkinfo.sh can read the files with lnkinfo.
const std::wstring& LinkFolder();

// Makes an empty file (creating missing folders); fails the current test when it cannot.
void MakeEmptyFile(const std::wstring& path);

bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);

}  // namespace shell_test
