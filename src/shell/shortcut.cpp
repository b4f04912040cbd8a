#include "shell/shortcut.h"

#include <objidl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <new>

namespace mimoruka {
namespace {

using Microsoft::WRL::ComPtr;

// A window state outside the enumeration is a caller's fault: refuse it instead of
// reading past the table.
bool ValidWindowState(TWindowState state) { return state >= wsNormal && state <= wsMaximized; }

HRESULT WriteShortcutSteps(const ShellLinkFactory& createObject, const std::wstring& LinkFile,
                           const std::wstring& Target, const std::wstring& Arguments,
                           const std::wstring& WorkDir, TWindowState WindowState) {
  if (!ValidWindowState(WindowState)) return E_INVALIDARG;

  ComPtr<IUnknown> object;
  HRESULT hr = createObject(object.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  if (!object) return E_POINTER;

  ComPtr<IShellLinkW> link;
  hr = object.As(&link);
  if (FAILED(hr)) return hr;
  if (!link) return E_NOINTERFACE;

  // Each setter must answer S_OK exactly; c_str() passes an empty text, never a null pointer.
  hr = link->SetPath(Target.c_str());
  if (hr != S_OK) return hr;
  hr = link->SetArguments(Arguments.c_str());
  if (hr != S_OK) return hr;
  hr = link->SetWorkingDirectory(WorkDir.c_str());
  if (hr != S_OK) return hr;
  hr = link->SetShowCmd(ShowCmdTable[WindowState]);
  if (hr != S_OK) return hr;

  ComPtr<IPersistFile> file;
  hr = object.As(&file);
  if (FAILED(hr)) return hr;
  if (!file) return E_NOINTERFACE;
  return file->Save(LinkFile.c_str(), FALSE);
}

}  // namespace

HRESULT CreateShellLink(IUnknown** object) noexcept {
  return CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                          IID_IUnknown, reinterpret_cast<void**>(object));
}

HRESULT WriteShortcut(const ShellLinkFactory& createObject, const std::wstring& LinkFile,
                      const std::wstring& Target, const std::wstring& Arguments,
                      const std::wstring& WorkDir, TWindowState WindowState) noexcept {
  try {
    return WriteShortcutSteps(createObject, LinkFile, Target, Arguments, WorkDir, WindowState);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

bool MakeShortcut(const std::wstring& LinkFile, const std::wstring& Target,
                  const std::wstring& Arguments, const std::wstring& WorkDir,
                  TWindowState WindowState) noexcept {
  return WriteShortcut(CreateShellLink, LinkFile, Target, Arguments, WorkDir, WindowState) == S_OK;
}

}  // namespace mimoruka
