/* The floor for setup mode: one empty window with the setup window's border and its client
 * size of 217 x 176 pixels, shown until it is closed.                                    */
#include <windows.h>

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR commandLine, int show) {
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  WNDCLASSW windowClass = {0};
  RECT frame = {0, 0, 217, 176};
  HWND window;
  MSG message;
  (void)previous; (void)commandLine;

  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
  windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"FloorSetup";
  RegisterClassW(&windowClass);
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  window = CreateWindowExW(0, L"FloorSetup", L"floor", style, CW_USEDEFAULT, CW_USEDEFAULT,
                           frame.right - frame.left, frame.bottom - frame.top, NULL, NULL,
                           instance, NULL);
  ShowWindow(window, show);
  UpdateWindow(window);
  while (GetMessageW(&message, NULL, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return (int)message.wParam;
}
