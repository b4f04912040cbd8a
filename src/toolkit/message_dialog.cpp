#include "toolkit/message_dialog.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "toolkit/application.h"

namespace toolkit {
namespace {

// Layout in pixels at 96 dpi; scaled to the system's dpi.
struct DialogMetrics {
  int margin = 12;       // around the contents
  int iconGap = 12;      // between the icon and the text
  int buttonGap = 14;    // between the text and the button
  int buttonWidth = 75;
  int buttonHeight = 25;
};

enum ControlId : int { kTextId = 100, kIconId = 101 };

struct DialogRequest {
  const std::wstring& text;
  const std::wstring& caption;
  LPCWSTR icon;  // a system icon, or nullptr
};

// A dialog template without controls: they are made and laid out in WM_INITDIALOG.
std::vector<WORD> EmptyTemplate(const std::wstring& caption) {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* dialog = reinterpret_cast<DLGTEMPLATE*>(words.data());
  dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  words.push_back(0);  // no menu
  words.push_back(0);  // the standard dialog class
  words.insert(words.end(), caption.begin(), caption.end());
  words.push_back(0);
  return words;
}

HFONT MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

HWND AddControl(HWND dialog, const wchar_t* className, const wchar_t* text, DWORD style, int id, const RECT& r,
                HFONT font) {
  HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// Measures the text wrapped at half the screen's width, places icon, text and button, and
// centres the dialog on the screen.
void LayOut(HWND dialog, const DialogRequest& request, HFONT font) {
  HDC dc = GetDC(dialog);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  const auto px = [dpi](int value) { return MulDiv(value, dpi, 96); };
  const DialogMetrics m;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);

  HGDIOBJ old = SelectObject(dc, font);
  RECT text{0, 0, screenWidth / 2, 0};
  DrawTextW(dc, request.text.c_str(), static_cast<int>(request.text.size()), &text,
            DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  if (text.bottom < tm.tmHeight) text.bottom = tm.tmHeight;

  const int iconSize = request.icon != nullptr ? GetSystemMetrics(SM_CXICON) : 0;
  const int textLeft = px(m.margin) + (iconSize > 0 ? iconSize + px(m.iconGap) : 0);
  const int contentHeight = std::max<int>(iconSize, text.bottom);
  OffsetRect(&text, textLeft, px(m.margin) + (contentHeight - text.bottom) / 2);

  const int clientWidth = std::max<int>(text.right + px(m.margin), px(m.buttonWidth) + 2 * px(m.margin));
  const int buttonTop = px(m.margin) + contentHeight + px(m.buttonGap);
  const RECT button{(clientWidth - px(m.buttonWidth)) / 2, buttonTop, (clientWidth + px(m.buttonWidth)) / 2,
                    buttonTop + px(m.buttonHeight)};
  const int clientHeight = button.bottom + px(m.margin);

  if (request.icon != nullptr) {
    const RECT iconRect{px(m.margin), px(m.margin), px(m.margin) + iconSize, px(m.margin) + iconSize};
    HWND icon = AddControl(dialog, L"Static", nullptr, SS_ICON, kIconId, iconRect, font);
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, request.icon)), 0);
  }
  AddControl(dialog, L"Static", request.text.c_str(), SS_LEFT | SS_EDITCONTROL | SS_NOPREFIX, kTextId, text, font);
  HWND ok = AddControl(dialog, L"Button", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, button, font);

  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, GetWindowLongW(dialog, GWL_STYLE), FALSE, GetWindowLongW(dialog, GWL_EXSTYLE));
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SetWindowPos(dialog, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetFocus(ok);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallbackBarrier([&]() -> LRESULT {
    switch (message) {
      case WM_INITDIALOG: {
        const auto* request = reinterpret_cast<const DialogRequest*>(lParam);
        HFONT font = MessageFont();
        SetPropW(dialog, L"MessageFont", font);
        LayOut(dialog, *request, font);
        return FALSE;  // the focus is set
      }
      case WM_COMMAND:
        // OK, Enter and Esc (IDCANCEL, also the close box) all close the dialog.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDOK);
        return TRUE;
      case WM_DESTROY:
        DeleteObject(RemovePropW(dialog, L"MessageFont"));
        return FALSE;
    }
    return FALSE;
  });
}

void ShowDialog(const DialogRequest& request) {
  const std::vector<WORD> dialogTemplate = EmptyTemplate(request.caption);
  const TApplication* app = Application();
  const HWND owner = app != nullptr ? app->DialogOwner() : nullptr;
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                          owner, DialogProc, reinterpret_cast<LPARAM>(&request));
}

}  // namespace

void ShowInformation(const std::wstring& text) { ShowDialog({text, L"情報", IDI_INFORMATION}); }

void ShowMessage(const std::wstring& text) {
  const TApplication* app = Application();
  const std::wstring caption = app != nullptr ? app->Title() : std::wstring();
  ShowDialog({text, caption, nullptr});
}

}  // namespace toolkit
