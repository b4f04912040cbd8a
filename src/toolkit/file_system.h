// Questions about the file system.
#pragma once
#include <string>

namespace toolkit {

// True when an entry of that name exists and is not a directory.
bool FileExists(const std::wstring& path);

}  // namespace toolkit
