#include "setup/Unit_Main.h"

namespace mimoruka {
namespace {

constexpr wchar_t kWindowClass[] = L"TfrmSetting";

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    toolkit::Application()->Terminate();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void CreateSetupWindow(toolkit::TApplication& app) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = SetupWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);
  constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  RECT frame{0, 0, 217, 176};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const HWND window = CreateWindowExW(0, kWindowClass, app.Title().c_str(), style, 257, 272,
                                      frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                      nullptr, windowClass.hInstance, nullptr);
  app.SetMainWindow(window);
}

}  // namespace mimoruka
