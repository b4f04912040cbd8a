// The setup window: the user names a text file (typed or browsed for) and asks for a
// reminder shortcut in the Startup folder or on the desktop.
//   app.CreateForm(frmSetting);  app.Run();
#pragma once
#include "toolkit/application.h"
#include "toolkit/control.h"
#include "toolkit/form.h"
#include "toolkit/open_dialog.h"

namespace mimoruka {

class TfrmSetting : public toolkit::TForm {
 public:
  TfrmSetting();

  toolkit::TLabel& Label1;
  toolkit::TEdit& edtFileName;
  toolkit::TButton& btnFileOpen;
  toolkit::TButton& btnMakeStartup;
  toolkit::TButton& btnMakeDesktop;
  toolkit::TButton& Button2;
  toolkit::TLabel& Label2;
  toolkit::TOpenDialog od;

  void FormCreate();
  void btnFileOpenClick();
  void Button2Click();
  void btnMakeStartupClick();
  void btnMakeDesktopClick();
};

// The setup window while the application owns it (made in setup mode only).
extern TfrmSetting* frmSetting;

}  // namespace mimoruka
