#include "setup/Unit_Main.h"

#include <windows.h>
#include <shlobj.h>

#include "resource_ids.h"
#include "setup/reminder_shortcut.h"

namespace mimoruka {

using toolkit::ControlKind;
using toolkit::On;

TfrmSetting* frmSetting = nullptr;

namespace {

// The window's layout at 96 pixels per inch and text height 12; the form scales it.
constexpr toolkit::ControlDescription kControls[] = {
    {.kind = ControlKind::Label, .name = L"Label1", .bounds = {8, 8, 204, 12}, .autoSize = true},
    {.kind = ControlKind::Edit, .name = L"edtFileName", .bounds = {8, 40, 177, 20}, .tabOrder = 0},
    {.kind = ControlKind::Button, .name = L"btnFileOpen", .bounds = {192, 40, 20, 20}, .text = L"...",
     .tabOrder = 1, .onClick = On<&TfrmSetting::btnFileOpenClick>},
    {.kind = ControlKind::Button, .name = L"btnMakeStartup", .bounds = {8, 80, 201, 25},
     .text = L"起動時に表示するｼｮｰﾄｶｯﾄを作成", .tabOrder = 2, .onClick = On<&TfrmSetting::btnMakeStartupClick>},
    {.kind = ControlKind::Button, .name = L"btnMakeDesktop", .bounds = {8, 112, 201, 25},
     .text = L"ﾃﾞｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄを作成", .tabOrder = 3, .onClick = On<&TfrmSetting::btnMakeDesktopClick>},
    {.kind = ControlKind::Button, .name = L"Button2", .bounds = {120, 144, 89, 25}, .text = L"閉じる(&C)",
     .tabOrder = 4, .onClick = On<&TfrmSetting::Button2Click>, .cancel = true},
    {.kind = ControlKind::Label, .name = L"Label2", .bounds = {16, 148, 94, 12}, .text = L"ミモルカ Ver 1.0",
     .autoSize = true},
};

constexpr toolkit::FormDescription kForm{
    .className = L"TfrmSetting",
    .caption = L"ミモルカ",
    .left = 257,
    .top = 272,
    .clientSize = {217, 176},
    .color = COLOR_BTNFACE,
    .font = {.name = L"ＭＳ Ｐゴシック", .height = -12, .charset = SHIFTJIS_CHARSET},
    .icon = IDI_MIMORUKA,
    .onCreate = On<&TfrmSetting::FormCreate>,
    .controls = kControls,
};

constexpr toolkit::OpenDialogDescription kOpenDialog{
    .filter = L"ﾃｷｽﾄﾌｧｲﾙ (*.txt)|*.txt|すべてのﾌｧｲﾙ (*.*)|*.*",
    .filterIndex = 1,
    // No OFN_FILEMUSTEXIST: any path may be named; no OFN_NODEREFERENCELINKS: shortcuts
    // are followed to their targets.
    .options = OFN_HIDEREADONLY | OFN_ENABLESIZING,
};

}  // namespace

TfrmSetting::TfrmSetting()
    : TForm(kForm),
      Label1(Find<toolkit::TLabel>(L"Label1")),
      edtFileName(Find<toolkit::TEdit>(L"edtFileName")),
      btnFileOpen(Find<toolkit::TButton>(L"btnFileOpen")),
      btnMakeStartup(Find<toolkit::TButton>(L"btnMakeStartup")),
      btnMakeDesktop(Find<toolkit::TButton>(L"btnMakeDesktop")),
      Button2(Find<toolkit::TButton>(L"Button2")),
      Label2(Find<toolkit::TLabel>(L"Label2")),
      od(kOpenDialog) {}

void TfrmSetting::FormCreate() {
  // A lone carriage return breaks the label's text into two lines.
  Label1.SetText(L"メッセージダイアログに表示するテキスト\rファイルを選択してください。");
}

void TfrmSetting::btnFileOpenClick() {
  if (od.Execute()) edtFileName.SetText(od.FileName());
}

void TfrmSetting::Button2Click() { Close(); }

void TfrmSetting::btnMakeStartupClick() {
  MakeReminderShortcut(edtFileName.Text(), CSIDL_STARTUP, L"スタートアップにショートカットを作成しました。");
}

void TfrmSetting::btnMakeDesktopClick() {
  MakeReminderShortcut(edtFileName.Text(), CSIDL_DESKTOPDIRECTORY, L"デスクトップにショートカットを作成しました。");
}

}  // namespace mimoruka
