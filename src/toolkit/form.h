// A top-level window built from a FormDescription: the builder creates the window and its
// controls, scales them for the screen, and routes clicks and dialog keys to the handlers.
//   class TfrmX : public TForm { public: TfrmX() : TForm(kForm), btnOk(Find<TButton>(L"btnOk")) {} ... };
//   app.CreateForm(frmX);   // the application owns it; the first form is the main window
#pragma once
#include <windows.h>

#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/form_description.h"
#include "toolkit/scaling.h"

namespace toolkit {

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

class TForm {
 public:
  explicit TForm(const FormDescription& description);
  virtual ~TForm();
  TForm(const TForm&) = delete;
  TForm& operator=(const TForm&) = delete;

  HWND Handle() const { return window_; }

  // The control of that name; throws Exception when there is none of that kind.
  template <class Control>
  Control& Find(std::wstring_view name) const {
    if (auto* control = dynamic_cast<Control*>(FindControl(name))) return *control;
    ThrowNoControl(name);
  }

  // Runs the description's onCreate handler; TApplication::CreateForm calls it once.
  void DoCreate();
  // Closing the main form ends the program; any other form is hidden.
  void Close();

  // Handles the dialog keys of a message bound for this form or one of its controls: Tab
  // and Shift+Tab, arrows between buttons, Esc, Enter, mnemonics. True when handled.
  bool IsDialogKey(const MSG& message);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(WPARAM wParam, LPARAM lParam);
  void OnActivate(WPARAM wParam);
  void RestoreFocus();

  void RegisterWindowClass() const;
  void CreateControls();
  TControl* FindControl(std::wstring_view name) const;
  [[noreturn]] static void ThrowNoControl(std::wstring_view name);
  TControl* ControlOf(HWND window) const;
  TControl* FocusedControl() const;
  TButton* CancelButton() const;
  TButton* ButtonWithMnemonic(wchar_t key) const;
  void SelectNext(bool forward);
  void FocusControl(TControl& control);

  const FormDescription& description_;
  UniqueFont font_;  // deleted only after the destructor has destroyed the window
  HWND window_ = nullptr;
  Scale scale_;
  std::vector<std::unique_ptr<TControl>> controls_;
  std::vector<TControl*> tabOrder_;
  HWND lastFocus_ = nullptr;  // the control to give the focus back to on activation
};

}  // namespace toolkit
