// The controls a form builds from its description: label, edit box, push button.
// Each wraps the child window that the form created and destroys; the form owns them.
//   form.Find<TEdit>(L"edtFileName").SetText(L"C:\\memo.txt");
#pragma once
#include <windows.h>

#include <string>

#include "toolkit/form_description.h"

namespace toolkit {

class TControl {
 public:
  TControl(const ControlDescription& description, HWND window);
  virtual ~TControl() = default;
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  const ControlDescription& Description() const { return description_; }
  const wchar_t* Name() const { return description_.name; }
  ControlKind Kind() const { return description_.kind; }
  HWND Handle() const { return window_; }
  int TabOrder() const { return description_.tabOrder; }
  bool CanFocus() const;

  std::wstring Text() const;
  virtual void SetText(const std::wstring& text);
  // Position and size in the parent's client area.
  Bounds BoundsRect() const;
  void SetBounds(const Bounds& bounds);

 private:
  const ControlDescription& description_;
  HWND window_;
};

class TLabel : public TControl {
 public:
  using TControl::TControl;
  // Sets the caption; an auto-size label then measures itself anew (a CR or LF starts a
  // line), keeping its left and top.
  void SetText(const std::wstring& text) override;
  void AdjustBounds();
};

class TEdit : public TControl {
 public:
  using TControl::TControl;
  void SelectAll();
};

class TButton : public TControl {
 public:
  using TControl::TControl;
  bool IsCancel() const { return Description().cancel; }
  // Runs the click handler as a mouse click would (through the form's window procedure).
  void Click();
  // Shows the button as the one Enter clicks (while it has the focus).
  void SetDefaultLook(bool on);
};

// The window class and styles each control kind is created with.
struct ControlWindowKind {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};
ControlWindowKind WindowKindOf(const ControlDescription& description);

}  // namespace toolkit
