#include "toolkit/form.h"

#include <algorithm>

#include "toolkit/application.h"
#include "toolkit/exceptions.h"
#include "toolkit/mnemonic.h"

namespace toolkit {
namespace {

// Control ids start above IDOK and IDCANCEL so that no system code mistakes a control
// for the dialog's OK or Cancel button.
constexpr int kFirstControlId = 100;

DWORD FormStyle(const FormDescription& d) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN;
  if (d.systemMenu) style |= WS_SYSMENU;
  if (d.minimizeBox) style |= WS_MINIMIZEBOX;
  if (d.maximizeBox) style |= WS_MAXIMIZEBOX;
  return style;
}

// The screen's pixels per inch (the system DPI for a DPI-aware program).
int ScreenPixelsPerInch() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// The height of a line of text in that font: the height of "0", as the layout was designed with.
int TextHeight(HFONT font) {
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font);
  SIZE size{};
  GetTextExtentPoint32W(screen, L"0", 1, &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return size.cy;
}

std::unique_ptr<TControl> MakeControl(const ControlDescription& d, HWND window) {
  switch (d.kind) {
    case ControlKind::Label:
      return std::make_unique<TLabel>(d, window);
    case ControlKind::Edit:
      return std::make_unique<TEdit>(d, window);
    case ControlKind::Button:
      return std::make_unique<TButton>(d, window);
  }
  return std::make_unique<TControl>(d, window);
}

bool KeyDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

TForm::TForm(const FormDescription& description) : description_(description) {
  RegisterWindowClass();
  const FontDescription& f = description_.font;
  const int fontHeight = FontHeightForDpi(f.height, ScreenPixelsPerInch(), description_.designPixelsPerInch);
  font_.reset(CreateFontW(fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, f.charset, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, f.name));
  if (!font_) throw Exception(L"フォントを作成できません");
  scale_ = ScaleForTextHeight(TextHeight(font_.get()), description_.designTextHeight);

  const DWORD style = FormStyle(description_);
  const Size client = scale_.Apply(description_.clientSize);
  RECT frame{0, 0, client.width, client.height};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  // WindowProc stores window_ while WM_NCCREATE is handled.
  CreateWindowExW(0, description_.className, description_.caption, style, description_.left, description_.top,
                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr),
                  this);
  if (window_ == nullptr) throw Exception(L"ウィンドウを作成できません");
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  try {
    CreateControls();
  } catch (...) {
    DestroyWindow(window_);  // no destructor runs for a half-made form
    throw;
  }
}

TForm::~TForm() {
  if (window_ != nullptr) DestroyWindow(window_);
}

void TForm::RegisterWindowClass() const {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  if (GetClassInfoExW(instance, description_.className, &windowClass)) return;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(description_.color);
  windowClass.lpszClassName = description_.className;
  if (description_.icon != 0) {
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(description_.icon), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(description_.icon), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
  }
  if (!RegisterClassExW(&windowClass)) throw Exception(L"ウィンドウ クラスを登録できません");
}

void TForm::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  int id = kFirstControlId;
  for (const ControlDescription& d : description_.controls) {
    const ControlWindowKind kind = WindowKindOf(d);
    const Bounds b = scale_.Apply(d.bounds);
    const HWND window = CreateWindowExW(kind.exStyle, kind.windowClass, d.text, kind.style, b.left, b.top, b.width,
                                        b.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                                        instance, nullptr);
    if (window == nullptr) throw Exception(L"コントロールを作成できません");
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    controls_.push_back(MakeControl(d, window));
    TControl& control = *controls_.back();
    if (auto* edit = dynamic_cast<TEdit*>(&control)) SendMessageW(edit->Handle(), EM_SETLIMITTEXT, 0, 0);
    if (auto* label = dynamic_cast<TLabel*>(&control); label && d.autoSize) label->AdjustBounds();
    if (d.tabOrder != kNoTabStop) tabOrder_.push_back(&control);
  }
  std::stable_sort(tabOrder_.begin(), tabOrder_.end(),
                   [](const TControl* a, const TControl* b) { return a->TabOrder() < b->TabOrder(); });
}

void TForm::DoCreate() {
  if (description_.onCreate != nullptr) description_.onCreate(*this);
}

void TForm::Close() {
  TApplication* app = Application();
  if (app != nullptr && app->MainWindow() == window_)
    app->Terminate();
  else
    ShowWindow(window_, SW_HIDE);
}

TControl* TForm::FindControl(std::wstring_view name) const {
  for (const auto& control : controls_)
    if (name == control->Name()) return control.get();
  return nullptr;
}

void TForm::ThrowNoControl(std::wstring_view name) {
  throw Exception(L"コントロール " + std::wstring(name) + L" がありません");
}

TControl* TForm::ControlOf(HWND window) const {
  if (window == nullptr) return nullptr;
  for (const auto& control : controls_)
    if (control->Handle() == window) return control.get();
  return nullptr;
}

TControl* TForm::FocusedControl() const { return ControlOf(GetFocus()); }

TButton* TForm::CancelButton() const {
  for (const auto& control : controls_)
    if (auto* button = dynamic_cast<TButton*>(control.get()); button && button->IsCancel()) return button;
  return nullptr;
}

TButton* TForm::ButtonWithMnemonic(wchar_t key) const {
  const auto upper = [](wchar_t c) {
    CharUpperBuffW(&c, 1);
    return c;
  };
  for (const auto& control : controls_) {
    auto* button = dynamic_cast<TButton*>(control.get());
    if (button == nullptr || !IsWindowVisible(button->Handle()) || !IsWindowEnabled(button->Handle())) continue;
    const wchar_t mnemonic = MnemonicOf(button->Text());
    if (mnemonic != 0 && upper(mnemonic) == upper(key)) return button;
  }
  return nullptr;
}

void TForm::FocusControl(TControl& control) {
  SetFocus(control.Handle());
  // Focus that comes from the keyboard selects an edit box's whole text.
  if (auto* edit = dynamic_cast<TEdit*>(&control)) edit->SelectAll();
}

void TForm::SelectNext(bool forward) {
  const size_t n = tabOrder_.size();
  if (n == 0) return;
  const auto current = std::find(tabOrder_.begin(), tabOrder_.end(), FocusedControl());
  const size_t start = current != tabOrder_.end() ? static_cast<size_t>(current - tabOrder_.begin())
                                                  : (forward ? n - 1 : 0);
  for (size_t step = 1; step <= n; ++step) {
    TControl* next = tabOrder_[forward ? (start + step) % n : (start + n - step) % n];
    if (next->CanFocus()) {
      FocusControl(*next);
      return;
    }
  }
}

void TForm::RestoreFocus() {
  TControl* control = ControlOf(lastFocus_);
  if (control == nullptr || !control->CanFocus()) {
    const auto first = std::find_if(tabOrder_.begin(), tabOrder_.end(), [](TControl* c) { return c->CanFocus(); });
    control = first != tabOrder_.end() ? *first : nullptr;
  }
  if (control != nullptr) FocusControl(*control);
}

bool TForm::IsDialogKey(const MSG& message) {
  TControl* focused = FocusedControl();
  const bool onButton = focused != nullptr && focused->Kind() == ControlKind::Button;
  const bool modifiers = KeyDown(VK_SHIFT) || KeyDown(VK_CONTROL) || KeyDown(VK_MENU);
  switch (message.message) {
    case WM_KEYDOWN:
      switch (message.wParam) {
        case VK_TAB:
          if (KeyDown(VK_CONTROL) || KeyDown(VK_MENU)) return false;
          SelectNext(!KeyDown(VK_SHIFT));
          return true;
        case VK_ESCAPE:
          if (modifiers) return false;
          if (TButton* cancel = CancelButton(); cancel != nullptr && IsWindowEnabled(cancel->Handle())) {
            cancel->Click();
            return true;
          }
          return false;
        case VK_RETURN:
          // No button is the default one: Enter clicks only the button that has the focus.
          if (modifiers) return false;
          if (onButton) static_cast<TButton*>(focused)->Click();
          return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
          if (!onButton) return false;
          SelectNext(message.wParam == VK_RIGHT || message.wParam == VK_DOWN);
          return true;
      }
      return false;
    case WM_CHAR:
      // A plain key is a mnemonic only where it types nothing.
      if (focused != nullptr && focused->Kind() == ControlKind::Edit) return false;
      [[fallthrough]];
    case WM_SYSCHAR:
      if (TButton* button = ButtonWithMnemonic(static_cast<wchar_t>(message.wParam))) {
        button->Click();
        return true;
      }
      return false;
  }
  return false;
}

LRESULT CALLBACK TForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* created = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    form->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return CallbackBarrier([&] { return form->HandleMessage(message, wParam, lParam); });
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0) {
        OnCommand(wParam, lParam);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(description_.color));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(description_.color));
    }
    case WM_ACTIVATE:
      OnActivate(wParam);
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) return 0;  // focus already placed
      break;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void TForm::OnCommand(WPARAM wParam, LPARAM lParam) {
  TControl* control = ControlOf(reinterpret_cast<HWND>(lParam));
  if (control == nullptr) return;
  const WORD code = HIWORD(wParam);
  if (control->Kind() == ControlKind::Edit) {
    if (code == EN_SETFOCUS) lastFocus_ = control->Handle();
    return;
  }
  auto* button = dynamic_cast<TButton*>(control);
  if (button == nullptr) return;
  switch (code) {
    case BN_CLICKED:
      if (button->Description().onClick != nullptr) button->Description().onClick(*this);
      break;
    case BN_SETFOCUS:
      lastFocus_ = button->Handle();
      button->SetDefaultLook(true);
      break;
    case BN_KILLFOCUS:
      button->SetDefaultLook(false);
      break;
  }
}

void TForm::OnActivate(WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    if (ControlOf(GetFocus()) != nullptr) lastFocus_ = GetFocus();
    return;
  }
  if (HIWORD(wParam) == 0) RestoreFocus();
}

}  // namespace toolkit
