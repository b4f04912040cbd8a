#include "toolkit/last_resort.h"

#include <windows.h>

#include <cstdint>
#include <exception>
#include <new>
#include <string>

#include "toolkit/error_report.h"
#include "toolkit/exceptions.h"
#include "toolkit/wide_text.h"

namespace toolkit {
namespace {

struct ErrorFacts {
  std::wstring className = L"Exception";
  std::wstring message;
  const void* address = nullptr;
};

ErrorFacts CurrentErrorFacts() {
  ErrorFacts facts;
  try {
    throw;
  } catch (const Exception& e) {
    facts.className = e.ClassName();
    facts.message = e.Message();
    facts.address = e.Address();
  } catch (const std::bad_alloc&) {
    facts.className = L"EOutOfMemory";
    facts.message = L"メモリが不足しています";
  } catch (const std::exception& e) {
    facts.message = WideFromSystemCodePage(e.what());
  } catch (...) {
  }
  return facts;
}

// The module holding address (the program itself when unknown), as its file name and the
// address's distance from the module's start.
void LocateAddress(const void* address, std::wstring& moduleName, std::uintptr_t& offset) {
  HMODULE module = nullptr;
  if (address == nullptr ||
      !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCWSTR>(address), &module)) {
    module = GetModuleHandleW(nullptr);
    address = module;
  }
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  const std::wstring_view full(path);
  moduleName = full.substr(full.find_last_of(L"\\/") + 1);
  offset = reinterpret_cast<std::uintptr_t>(address) - reinterpret_cast<std::uintptr_t>(module);
}

}  // namespace

int ShowLastResortError() noexcept {
  try {
    const ErrorFacts facts = CurrentErrorFacts();
    std::wstring moduleName;
    std::uintptr_t offset = 0;
    LocateAddress(facts.address, moduleName, offset);
    const std::wstring text = FormatErrorReport(facts.className, moduleName, offset, facts.message);
    MessageBoxW(nullptr, text.c_str(), L"アプリケーション エラー", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  } catch (...) {
    // Out of memory while reporting: the exit code still tells.
  }
  return 1;
}

}  // namespace toolkit
