// Owning types for Win32 handles and shell memory: each releases what it owns when it ends.
#pragma once
#include <windows.h>

#include <memory>

namespace toolkit {

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};
// A kernel handle closed with CloseHandle (files, processes, threads).
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

inline UniqueHandle OwnHandle(HANDLE h) {
  return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

struct CoTaskMemFreer {
  void operator()(void* p) const { CoTaskMemFree(p); }
};
// Memory the shell allocated, freed with the shell's allocator.
template <class T>
using UniqueCoTaskMem = std::unique_ptr<T, CoTaskMemFreer>;

}  // namespace toolkit
