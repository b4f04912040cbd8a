// The program's entry: reminder mode when the first argument names an existing file,
// else the setup window.
#include <windows.h>

#include "main/reminder.h"
#include "setup/Unit_Main.h"
#include "toolkit/application.h"
#include "toolkit/command_line.h"
#include "toolkit/file_system.h"
#include "toolkit/last_resort.h"

namespace {

int RunProgram() {
  toolkit::TApplication app;
  const std::wstring argument = toolkit::ParamStr(GetCommandLineW(), 1);
  if (toolkit::FileExists(argument)) {
    mimoruka::ShowReminder(argument);
  } else {
    app.SetTitle(L"ミモルカ");
    app.CreateForm(mimoruka::frmSetting);
  }
  app.Run();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    return RunProgram();
  } catch (...) {
    return toolkit::ShowLastResortError();
  }
}
