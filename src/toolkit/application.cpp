#include "toolkit/application.h"

#include <exception>

#include "toolkit/base_name.h"
#include "toolkit/exceptions.h"
#include "toolkit/form.h"
#include "toolkit/wide_text.h"

namespace toolkit {
namespace {

TApplication* g_application = nullptr;
constexpr wchar_t kWindowClass[] = L"TApplication";

LRESULT CALLBACK HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// The program's file name without directory and extension.
std::wstring DefaultTitle() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(BaseName(path));
}

}  // namespace

TApplication* Application() { return g_application; }

TApplication::TApplication() : title_(DefaultTitle()) {
  g_application = this;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = HiddenWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
  handle_ = CreateWindowExW(0, kWindowClass, title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                            nullptr, windowClass.hInstance, nullptr);
}

TApplication::~TApplication() {
  forms_.clear();  // destroys their windows, the main window among them
  if (handle_ != nullptr) DestroyWindow(handle_);
  g_application = nullptr;
}

void TApplication::SetTitle(const std::wstring& title) {
  title_ = title;
  if (handle_ != nullptr) SetWindowTextW(handle_, title_.c_str());
}

void TApplication::SetMainWindow(HWND window) {
  if (mainWindow_ == nullptr) mainWindow_ = window;
}

void TApplication::AddForm(std::unique_ptr<TForm> form) {
  SetMainWindow(form->Handle());
  forms_.push_back(std::move(form));
}

void TApplication::DoCreate(TForm& form) { form.DoCreate(); }

void TApplication::Run() {
  if (mainWindow_ == nullptr) return;
  ShowWindow(mainWindow_, SW_SHOWNORMAL);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogKey(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool TApplication::IsDialogKey(const MSG& message) noexcept {
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
      break;
    default:
      return false;
  }
  const HWND root = GetAncestor(message.hwnd, GA_ROOT);
  try {
    for (const auto& form : forms_)
      if (form->Handle() == root) return form->IsDialogKey(message);
  } catch (...) {
    HandleException();
    return true;
  }
  return false;
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::HandleException() noexcept {
  try {
    std::wstring text;
    try {
      throw;
    } catch (const EAbort&) {
      return;
    } catch (const Exception& e) {
      text = e.Message();
    } catch (const std::exception& e) {
      text = WideFromSystemCodePage(e.what());
    } catch (...) {
    }
    const HWND owner = mainWindow_ != nullptr && IsWindowEnabled(mainWindow_) ? mainWindow_ : handle_;
    MessageBoxW(owner, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
  } catch (...) {
    // Out of memory while reporting: nothing more can be shown.
  }
}

}  // namespace toolkit
