// The setup window, shown when the program starts without a file to remind of.
#pragma once
#include "toolkit/application.h"

namespace mimoruka {

// Creates the setup window as the application's main window.
void CreateSetupWindow(toolkit::TApplication& app);

}  // namespace mimoruka
