// Snapshots of folder trees (every entry's name, size and last-write time) and the
// differences between two, to show that a run wrote nothing but what it reports.
//   const file_tree::Snapshot before = file_tree::Take({profile, folder});
//   ... run ...  for (auto& d : file_tree::Differences(before, file_tree::Take({profile, folder}))) ...
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace file_tree {

struct Entry {
  std::wstring path;  // full path, as listed
  bool directory = false;
  ULONGLONG size = 0;
  ULONGLONG lastWrite = 0;  // FILETIME as one number; 0 for a folder seen before under another path
};

// Entries by path, compared without regard to case as the file system does.
using Snapshot = std::map<std::wstring, Entry>;

// Every entry below the roots (the roots included), following linked folders. A folder
// reached again through another link (Wine links Desktop, Documents, Music, ... to one
// folder) is listed by the first path that reached it, in the order of the roots: the
// other paths list only the link itself.
Snapshot Take(const std::vector<std::wstring>& roots);

struct Difference {
  enum Kind { kNew, kGone, kChanged } kind;
  Entry before, after;  // the entry that exists on each side
  const std::wstring& Path() const { return kind == kGone ? before.path : after.path; }
  std::wstring Describe() const;
};
std::vector<Difference> Differences(const Snapshot& before, const Snapshot& after);

// The key under which a path is stored: the same for every spelling that differs only in case.
std::wstring Key(const std::wstring& path);

}  // namespace file_tree
