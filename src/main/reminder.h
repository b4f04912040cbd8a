// Reminder mode: the text of a file in a message box captioned with the file's base name.
#pragma once
#include <string>

namespace mimoruka {

// Shows the file's lines (each ended by CR LF) in an information box owned by the
// application's hidden window and returns when the box is closed.
// Throws EFOpenError when the file cannot be opened.
void ShowReminder(const std::wstring& path);

}  // namespace mimoruka
