// The open-file dialog: the system's common dialog (GetOpenFileNameW), run modally.
//   TOpenDialog od(kOpenDialog);  if (od.Execute()) edit.SetText(od.FileName());
// It keeps the last confirmed file name and filter choice and offers them again.
#pragma once
#include <windows.h>

#include <string>

namespace toolkit {

struct OpenDialogDescription {
  // Pairs of display text and pattern, each part ended by "|": "Text (*.txt)|*.txt|All|*.*".
  const wchar_t* filter = L"";
  int filterIndex = 1;          // 1-based: the entry selected at first
  DWORD options = 0;            // OFN_ flags added to OFN_EXPLORER
  const wchar_t* defaultExt = nullptr;
  const wchar_t* initialDir = nullptr;
  const wchar_t* title = nullptr;  // nullptr: the system's own title
};

class TOpenDialog {
 public:
  // The size of the file name buffer, the terminating zero included.
  static constexpr size_t kFileNameCapacity = MAX_PATH;

  explicit TOpenDialog(const OpenDialogDescription& description);

  // Shows the dialog owned by the application's main window, which stays disabled until the
  // dialog closes; then gives the focus back to the control that had it. True when the
  // user confirmed a file: FileName and FilterIndex then hold the choice; false on cancel,
  // which changes neither.
  bool Execute();
  const std::wstring& FileName() const { return fileName_; }
  int FilterIndex() const { return filterIndex_; }

 private:
  const OpenDialogDescription& description_;
  std::wstring filter_;  // the filter in the system's form: parts ended by NUL, a NUL more at the end
  std::wstring fileName_;
  int filterIndex_;
};

}  // namespace toolkit
