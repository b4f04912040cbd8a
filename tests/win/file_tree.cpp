#include "file_tree.h"

#include <set>
#include <string>
#include <tuple>

namespace file_tree {
namespace {

// A folder's identity, whatever path leads to it: volume and file id.
using Identity = std::tuple<ULONGLONG, std::string>;

bool IdentityOf(const std::wstring& folder, Identity& identity) {
  const HANDLE handle = CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  FILE_ID_INFO info{};
  const BOOL ok = GetFileInformationByHandleEx(handle, FileIdInfo, &info, sizeof(info));
  CloseHandle(handle);
  const auto* id = reinterpret_cast<const char*>(info.FileId.Identifier);
  identity = {info.VolumeSerialNumber, std::string(id, id + sizeof(info.FileId.Identifier))};
  return ok != FALSE;
}

struct Walker {
  Snapshot snapshot;
  std::set<Identity> seen;

  // Records a folder; true when its content is to be walked, false when this path or
  // another path to the same folder has been walked before.
  bool Visit(const std::wstring& path, Entry entry) {
    const std::wstring key = Key(path);
    if (snapshot.contains(key)) return false;
    Identity identity;
    if (IdentityOf(path, identity) && !seen.insert(identity).second) entry.lastWrite = 0;
    snapshot[key] = entry;
    return entry.lastWrite != 0;
  }
};

// Deep enough for any real profile, and a stop should linked folders ever form a loop.
constexpr int kDepthLimit = 40;

ULONGLONG Number(DWORD high, DWORD low) { return (static_cast<ULONGLONG>(high) << 32) | low; }

Entry EntryOf(const std::wstring& path, const WIN32_FILE_ATTRIBUTE_DATA& data) {
  return {path, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0, Number(data.nFileSizeHigh, data.nFileSizeLow),
          Number(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime)};
}

void Walk(const std::wstring& folder, int depth, Walker& walker) {
  if (depth > kDepthLimit) return;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    WIN32_FILE_ATTRIBUTE_DATA data{found.dwFileAttributes, found.ftCreationTime, found.ftLastAccessTime,
                                   found.ftLastWriteTime, found.nFileSizeHigh, found.nFileSizeLow};
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      walker.snapshot[Key(path)] = EntryOf(path, data);
    else if (walker.Visit(path, EntryOf(path, data)))
      Walk(path, depth + 1, walker);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

std::wstring Time(ULONGLONG value) {
  FILETIME time{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
  SYSTEMTIME s{};
  FileTimeToSystemTime(&time, &s);
  wchar_t text[64] = {};
  swprintf(text, 64, L"%04u-%02u-%02u %02u:%02u:%02u.%03u", s.wYear, s.wMonth, s.wDay, s.wHour, s.wMinute,
           s.wSecond, s.wMilliseconds);
  return text;
}

std::wstring Describe(const Entry& e) {
  if (e.directory && e.lastWrite == 0) return L"folder, listed under another path";
  return (e.directory ? L"folder" : L"file, " + std::to_wstring(e.size) + L" bytes") + L", written " +
         Time(e.lastWrite);
}

}  // namespace

std::wstring Key(const std::wstring& path) {
  std::wstring key = path;
  CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
  return key;
}

Snapshot Take(const std::vector<std::wstring>& roots) {
  Walker walker;
  for (const std::wstring& root : roots) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(root.c_str(), GetFileExInfoStandard, &data)) continue;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      walker.snapshot[Key(root)] = EntryOf(root, data);
    else if (walker.Visit(root, EntryOf(root, data)))
      Walk(root, 0, walker);
  }
  return walker.snapshot;
}

std::wstring Difference::Describe() const {
  switch (kind) {
    case kNew:
      return L"new: " + after.path + L" (" + file_tree::Describe(after) + L")";
    case kGone:
      return L"gone: " + before.path + L" (" + file_tree::Describe(before) + L")";
    case kChanged:
      break;
  }
  return L"changed: " + after.path + L" (" + file_tree::Describe(before) + L" -> " + file_tree::Describe(after) + L")";
}

std::vector<Difference> Differences(const Snapshot& before, const Snapshot& after) {
  std::vector<Difference> differences;
  const Entry none;
  for (const auto& [key, old] : before) {
    const auto now = after.find(key);
    if (now == after.end())
      differences.push_back(Difference{Difference::kGone, old, none});
    else if (old.directory != now->second.directory || old.size != now->second.size ||
             old.lastWrite != now->second.lastWrite)
      differences.push_back(Difference{Difference::kChanged, old, now->second});
  }
  for (const auto& [key, now] : after)
    if (!before.contains(key)) differences.push_back(Difference{Difference::kNew, none, now});
  return differences;
}

}  // namespace file_tree
