// A form's layout and behaviour as one const table, walked by the form builder (TForm).
//   constexpr ControlDescription kControls[] = {{.kind = ControlKind::Button, .name = L"btnOk", ...}};
//   constexpr FormDescription kForm{.className = L"TfrmX", ..., .controls = kControls};
#pragma once
#include <span>

#include "toolkit/scaling.h"

namespace toolkit {

class TForm;

// An event handler: a member function of the form, called on the form object.
using EventHandler = void (*)(TForm&);

template <class Method>
struct MethodOwner;
template <class Form>
struct MethodOwner<void (Form::*)()> {
  using type = Form;
};

// Turns a form's member function into an EventHandler: On<&TfrmSetting::Button2Click>.
template <auto Method>
void On(TForm& form) {
  using Form = typename MethodOwner<decltype(Method)>::type;
  (static_cast<Form&>(form).*Method)();
}

enum class ControlKind {
  Label,   // static text: no word wrap, "&" marks an accelerator, background painted
  Edit,    // single-line edit box without length limit
  Button,  // push button
};

constexpr int kNoTabStop = -1;

struct ControlDescription {
  ControlKind kind = ControlKind::Label;
  const wchar_t* name = L"";
  Bounds bounds;                // in the form's client area, at the design metrics
  const wchar_t* text = L"";
  int tabOrder = kNoTabStop;    // 0, 1, ... for controls that take the focus
  EventHandler onClick = nullptr;
  bool autoSize = false;        // labels: width and height follow the text, left and top stay
  bool cancel = false;          // buttons: Esc (without Shift, Ctrl or Alt) clicks it
};

struct FontDescription {
  const wchar_t* name = L"";
  int height = -12;             // negative: character height in pixels at the design metrics
  unsigned char charset = 0;
};

// A top-level window with a single fixed border and a title bar.
struct FormDescription {
  const wchar_t* className = L"";  // the window class, named after the form's class
  const wchar_t* caption = L"";
  int left = 0;                 // screen position, never scaled
  int top = 0;
  Size clientSize;              // at the design metrics
  int color = 0;                // a system colour index (COLOR_BTNFACE, ...)
  FontDescription font;         // inherited by every control
  int icon = 0;                 // icon resource id; 0: none
  bool systemMenu = true;
  bool minimizeBox = true;
  bool maximizeBox = true;
  int designPixelsPerInch = 96;
  int designTextHeight = 12;
  EventHandler onCreate = nullptr;  // after the window and its controls exist, before it is shown
  std::span<const ControlDescription> controls;
};

}  // namespace toolkit
