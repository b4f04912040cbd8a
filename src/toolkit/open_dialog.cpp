#include "toolkit/open_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <array>

#include "toolkit/application.h"
#include "toolkit/system_library.h"

namespace toolkit {
namespace {

std::wstring SystemFilter(const wchar_t* filter) {
  std::wstring result(filter);
  std::replace(result.begin(), result.end(), L'|', L'\0');
  if (result.empty() || result.back() != L'\0') result.push_back(L'\0');
  result.push_back(L'\0');
  return result;
}

// The common dialog; FALSE, as for a cancel, when comdlg32 cannot be loaded.
BOOL ShowOpenDialog(OPENFILENAMEW* ofn) {
  static const auto getOpenFileName =
      SystemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  return getOpenFileName != nullptr ? getOpenFileName(ofn) : FALSE;
}

}  // namespace

TOpenDialog::TOpenDialog(const OpenDialogDescription& description)
    : description_(description), filter_(SystemFilter(description.filter)), filterIndex_(description.filterIndex) {}

bool TOpenDialog::Execute() {
  std::array<wchar_t, kFileNameCapacity> file{};
  fileName_.copy(file.data(), file.size() - 1);

  TApplication* app = Application();
  const HWND owner = app != nullptr ? app->DialogOwner() : nullptr;
  const HWND focus = GetFocus();

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter_.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = description_.initialDir;
  ofn.lpstrTitle = description_.title;
  ofn.lpstrDefExt = description_.defaultExt;
  ofn.Flags = OFN_EXPLORER | description_.options;
  const bool confirmed = ShowOpenDialog(&ofn) != FALSE;

  if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
  if (!confirmed) return false;
  fileName_ = file.data();
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
  return true;
}

}  // namespace toolkit
