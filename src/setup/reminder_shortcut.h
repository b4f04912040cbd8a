// What both shortcut buttons of the setup window do with the path in the edit box.
#pragma once
#include <string>

namespace mimoruka {

// Writes "<base name of fileName>を忘れるな.lnk" into the special folder csidl, starting this
// program with the file's quoted full path, and reports the outcome in a modal message:
// successMessage in an information dialog, or a plain message when the file does not exist
// or the shortcut could not be written. Returns when the user has closed the message.
void MakeReminderShortcut(const std::wstring& fileName, int csidl, const std::wstring& successMessage);

}  // namespace mimoruka
