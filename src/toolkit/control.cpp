#include "toolkit/control.h"

namespace toolkit {

TControl::TControl(const ControlDescription& description, HWND window)
    : description_(description), window_(window) {}

bool TControl::CanFocus() const {
  return TabOrder() != kNoTabStop && IsWindowVisible(window_) && IsWindowEnabled(window_);
}

std::wstring TControl::Text() const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TControl::SetText(const std::wstring& text) { SetWindowTextW(window_, text.c_str()); }

Bounds TControl::BoundsRect() const {
  RECT r;
  GetWindowRect(window_, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TControl::SetBounds(const Bounds& b) {
  SetWindowPos(window_, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TLabel::SetText(const std::wstring& text) {
  TControl::SetText(text);
  if (Description().autoSize) AdjustBounds();
}

// Measures with the flags the static control paints with (left aligned, tabs expanded,
// no word break), so the label is exactly as large as what it shows.
void TLabel::AdjustBounds() {
  const std::wstring text = Text();
  const HDC dc = GetDC(Handle());
  const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  RECT r{0, 0, 0, 0};
  // An empty caption still takes one line's height.
  DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS);
  SelectObject(dc, oldFont);
  ReleaseDC(Handle(), dc);
  Bounds b = BoundsRect();
  b.width = r.right - r.left;
  b.height = r.bottom - r.top;
  SetBounds(b);
}

void TEdit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

void TButton::Click() {
  SendMessageW(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), BN_CLICKED),
               reinterpret_cast<LPARAM>(Handle()));
}

void TButton::SetDefaultLook(bool on) {
  SendMessageW(Handle(), BM_SETSTYLE, on ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

ControlWindowKind WindowKindOf(const ControlDescription& description) {
  const DWORD tabStop = description.tabOrder != kNoTabStop ? WS_TABSTOP : 0;
  switch (description.kind) {
    case ControlKind::Label:
      return {L"Static", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 0};
    case ControlKind::Edit:
      return {L"Edit", WS_CHILD | WS_VISIBLE | tabStop | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Button:
      return {L"Button", WS_CHILD | WS_VISIBLE | tabStop | BS_PUSHBUTTON | BS_NOTIFY, 0};
  }
  return {L"Static", WS_CHILD | WS_VISIBLE, 0};
}

}  // namespace toolkit
