// The toolkit's modal message dialogs: one "OK" button (default and cancel button alike),
// centred on the screen, the text word-wrapped at half the screen's width.
//   ShowInformation(L"スタートアップにショートカットを作成しました。");
//   ShowMessage(L"ショートカットの作成に失敗しました。");
#pragma once
#include <string>

namespace toolkit {

// Captioned "情報" with the system's information icon. Returns when the dialog is closed
// (OK, Enter, Esc or the close box).
void ShowInformation(const std::wstring& text);

// Captioned with the application title, without an icon. Returns when closed.
void ShowMessage(const std::wstring& text);

}  // namespace toolkit
