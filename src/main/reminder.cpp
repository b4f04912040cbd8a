#include "main/reminder.h"

#include <windows.h>

#include "toolkit/application.h"
#include "toolkit/base_name.h"
#include "toolkit/string_list.h"

namespace mimoruka {

void ShowReminder(const std::wstring& path) {
  toolkit::TStringList ReminderLines;
  ReminderLines.LoadFromFile(path);
  const std::wstring caption(toolkit::BaseName(path));
  MessageBoxW(toolkit::Application()->Handle(), ReminderLines.Text().c_str(), caption.c_str(),
              MB_ICONINFORMATION);
}

}  // namespace mimoruka
