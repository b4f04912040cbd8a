// The setup window of the real mimoruka.exe, driven from outside: layout at 96 and 144
// dpi, keyboard, the ways to close it, the open-file dialog. And, in process, a toolkit
// form whose handlers throw: the error is shown and the window goes on working.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>

#include "toolkit/application.h"
#include "toolkit/exceptions.h"
#include "toolkit/form.h"
#include "ui_driver.h"

namespace {

constexpr wchar_t kCaption[] = L"ミモルカ";
constexpr wchar_t kLabel1[] = L"メッセージダイアログに表示するテキスト\rファイルを選択してください。";
constexpr wchar_t kLabel1First[] = L"メッセージダイアログに表示するテキスト";
constexpr wchar_t kLabel1Second[] = L"ファイルを選択してください。";
constexpr wchar_t kCredit[] = L"ミモルカ Ver 1.0";
constexpr wchar_t kStartup[] = L"起動時に表示するｼｮｰﾄｶｯﾄを作成";
constexpr wchar_t kDesktop[] = L"ﾃﾞｽｸﾄｯﾌﾟにｼｮｰﾄｶｯﾄを作成";
constexpr wchar_t kClose[] = L"閉じる(&C)";

// The test reads coordinates as they are, unscaled, whatever the system DPI.
const bool kDpiAware = SetProcessDPIAware() != FALSE;

// The running setup window and its controls.
struct SetupWindow {
  ui::Process process{ui::ProductPath(), L""};
  HWND form = process.WaitForWindow([](HWND w) { return ui::ClassName(w) == L"TfrmSetting"; });
  HWND edit = ui::FindChild(form, L"Edit");
  HWND open = ui::FindChild(form, L"Button", L"...");
  HWND startup = ui::FindChild(form, L"Button", kStartup);
  HWND desktop = ui::FindChild(form, L"Button", kDesktop);
  HWND close = ui::FindChild(form, L"Button", kClose);
  HWND label1 = ui::FindChild(form, L"Static", kLabel1);
  HWND label2 = ui::FindChild(form, L"Static", kCredit);

  bool Complete() const { return form && edit && open && startup && desktop && close && label1 && label2; }
};

// The control with the keyboard focus in the window's thread.
HWND Focus(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

bool FocusBecomes(HWND window, HWND expected) {
  return ui::WaitUntil([&] { return Focus(window) == expected; });
}

std::wstring Name(const SetupWindow& w, HWND control) {
  const std::pair<HWND, const wchar_t*> names[] = {{w.edit, L"edtFileName"}, {w.open, L"btnFileOpen"},
                                                   {w.startup, L"btnMakeStartup"}, {w.desktop, L"btnMakeDesktop"},
                                                   {w.close, L"Button2"}};
  for (auto [h, name] : names)
    if (h == control) return name;
  return control == nullptr ? L"(none)" : L"(other: " + ui::ClassName(control) + L")";
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

void SetText(HWND window, const std::wstring& text) {
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Proves that every key sent before has been handled: typed text reaches the edit box
// only after them.
void TypeMarkerAndWait(const SetupWindow& w, const std::wstring& marker) {
  ui::TypeText(marker);
  ASSERT_TRUE(ui::WaitUntil([&] { return ui::Text(w.edit).ends_with(marker); })) << "typed text never arrived";
}

SIZE ClientSize(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

// Text measured as the labels measure it, in the window's font at that character height.
SIZE TextSize(const std::wstring& text, int characterHeight) {
  const HFONT font = CreateFontW(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  return {r.right - r.left, r.bottom - r.top};
}

// The height of "0" in the window's font: the text height the layout scales by.
int MeasuredTextHeight(int characterHeight) {
  const HFONT font = CreateFontW(-characterHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック");
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font);
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  return zero.cy;
}

struct Box {
  int left, top, width, height;
};
Box BoxOf(HWND control, HWND form) {
  const RECT r = ui::RectIn(control, form);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}
bool operator==(const Box& a, const Box& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}
std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "{" << b.left << ", " << b.top << ", " << b.width << " x " << b.height << "}";
}

// The layout for each text height the window can measure: the design at 12, and the
// design scaled by height/12 with left and top scaled and width and height following the
// scaled right and bottom edges. 13 and 20 are what the Wine prefix's replacement font
// measures at 96 and 144 dpi, 18 what the original font measures at 144 dpi.
struct Layout {
  SIZE client;
  Box edit, open, startup, desktop, close;
  POINT label1, label2;
};
const std::map<int, Layout> kLayouts = {
    {12, {{217, 176}, {8, 40, 177, 20}, {192, 40, 20, 20}, {8, 80, 201, 25}, {8, 112, 201, 25}, {120, 144, 89, 25},
          {8, 8}, {16, 148}}},
    {13, {{235, 191}, {9, 43, 191, 22}, {208, 43, 22, 22}, {9, 87, 217, 27}, {9, 121, 217, 27}, {130, 156, 96, 27},
          {9, 9}, {17, 160}}},
    {18, {{326, 264}, {12, 60, 266, 30}, {288, 60, 30, 30}, {12, 120, 302, 38}, {12, 168, 302, 38},
          {180, 216, 134, 38}, {12, 12}, {24, 222}}},
    {20, {{362, 293}, {13, 67, 295, 33}, {320, 67, 33, 33}, {13, 133, 335, 42}, {13, 187, 335, 41},
          {200, 240, 148, 42}, {13, 13}, {27, 247}}},
};

// Checks the whole window against the layout for the font at that character height.
void ExpectLayout(const SetupWindow& w, int characterHeight) {
  ASSERT_TRUE(w.Complete()) << "a control is missing";
  const int textHeight = MeasuredTextHeight(characterHeight);
  SCOPED_TRACE("text height " + std::to_string(textHeight));
  const auto layout = kLayouts.find(textHeight);
  ASSERT_NE(layout, kLayouts.end()) << "no layout for this text height";
  const Layout& l = layout->second;

  RECT frame;
  GetWindowRect(w.form, &frame);
  EXPECT_EQ(frame.left, 257);  // the screen position is never scaled
  EXPECT_EQ(frame.top, 272);
  EXPECT_EQ(ClientSize(w.form).cx, l.client.cx);
  EXPECT_EQ(ClientSize(w.form).cy, l.client.cy);

  const struct {
    HWND control;
    Box expected;
  } boxes[] = {{w.edit, l.edit}, {w.open, l.open}, {w.startup, l.startup}, {w.desktop, l.desktop}, {w.close, l.close}};
  for (const auto& b : boxes) EXPECT_EQ(BoxOf(b.control, w.form), b.expected) << ui::Text(b.control);

  // Labels size themselves: Label1 two lines, as wide as the wider one; Label2 one line.
  const SIZE first = TextSize(kLabel1First, characterHeight), second = TextSize(kLabel1Second, characterHeight);
  const SIZE credit = TextSize(kCredit, characterHeight);
  EXPECT_EQ(BoxOf(w.label1, w.form), (Box{l.label1.x, l.label1.y, std::max(first.cx, second.cx), first.cy + second.cy}));
  EXPECT_EQ(BoxOf(w.label2, w.form), (Box{l.label2.x, l.label2.y, credit.cx, credit.cy}));

  // Nothing is clipped: every control inside the client area, the credit clear of Button2.
  for (HWND control : {w.edit, w.open, w.startup, w.desktop, w.close, w.label1, w.label2}) {
    const Box b = BoxOf(control, w.form);
    EXPECT_LE(b.left + b.width, l.client.cx) << ui::Text(control);
    EXPECT_LE(b.top + b.height, l.client.cy) << ui::Text(control);
  }
  EXPECT_LT(BoxOf(w.label2, w.form).left + BoxOf(w.label2, w.form).width, BoxOf(w.close, w.form).left);
}

TEST(SetupWindow, ShowsTheCaptionTextsAndLayoutAt96Dpi) {
  ASSERT_TRUE(kDpiAware);
  SetupWindow w;
  ASSERT_TRUE(w.Complete()) << "a control is missing";
  EXPECT_EQ(ui::Text(w.form), kCaption);
  const LONG_PTR style = ui::Style(w.form);
  for (LONG_PTR flag : {WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX}) EXPECT_EQ(style & flag, flag);
  EXPECT_EQ(style & WS_THICKFRAME, 0) << "the border is fixed";
  EXPECT_EQ(ui::Text(w.edit), L"");
  EXPECT_EQ(ui::Text(w.label1), kLabel1);
  EXPECT_EQ(ui::Children(w.form).size(), 7u);
  ExpectLayout(w, 12);
}

// Wine takes the screen's pixels per inch from this value when a process starts.
class LogPixels {
 public:
  explicit LogPixels(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                    &key_, nullptr);
    DWORD size = sizeof(old_);
    hadValue_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
                ERROR_SUCCESS;
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
  }
  ~LogPixels() {
    if (hadValue_)
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof(old_));
    else
      RegDeleteValueW(key_, L"LogPixels");
    RegCloseKey(key_);
  }

 private:
  HKEY key_ = nullptr;
  DWORD old_ = 0;
  bool hadValue_ = false;
};

TEST(SetupWindow, ScalesItsLayoutButNotItsPositionAt144Dpi) {
  ASSERT_TRUE(kDpiAware);
  LogPixels dpi(144);
  SetupWindow w;
  ExpectLayout(w, 18);  // the font height 12 × 144/96
}

TEST(SetupWindow, TabMovesThroughTheControlsInOrderAndWraps) {
  SetupWindow w;
  ASSERT_TRUE(w.Complete());
  ASSERT_TRUE(FocusBecomes(w.form, w.edit)) << "the focus starts in the edit box, not in " << Name(w, Focus(w.form));
  for (HWND button : {w.open, w.startup, w.desktop, w.close})
    EXPECT_EQ(ui::Style(button) & BS_TYPEMASK, BS_PUSHBUTTON) << "no button is the default one";
  SetText(w.edit, L"C:\\memo\\a.txt");
  ui::BringToFront(w.form);

  const HWND forward[] = {w.open, w.startup, w.desktop, w.close, w.edit};
  for (HWND next : forward) {
    ui::PressKey(VK_TAB);
    EXPECT_TRUE(FocusBecomes(w.form, next)) << "expected " << Name(w, next) << ", got " << Name(w, Focus(w.form));
  }
  // Back in the edit box from the keyboard: its whole text is selected.
  EXPECT_EQ(Selection(w.edit), (std::pair<DWORD, DWORD>{0, 13}));

  const HWND backward[] = {w.close, w.desktop, w.startup, w.open, w.edit};
  for (HWND next : backward) {
    ui::PressKey(VK_TAB, true);
    EXPECT_TRUE(FocusBecomes(w.form, next)) << "expected " << Name(w, next) << ", got " << Name(w, Focus(w.form));
  }
  EXPECT_EQ(Selection(w.edit), (std::pair<DWORD, DWORD>{0, 13}));
}

TEST(SetupWindow, EnterAndEscWithModifiersInTheEditBoxDoNothing) {
  SetupWindow w;
  ASSERT_TRUE(w.Complete());
  ASSERT_TRUE(FocusBecomes(w.form, w.edit));
  ui::BringToFront(w.form);
  ui::PressKey(VK_RETURN);
  ui::PressKey(VK_ESCAPE, true);
  ui::PressKey(VK_ESCAPE, false, true);
  TypeMarkerAndWait(w, L"abc");
  EXPECT_EQ(ui::Text(w.edit), L"abc");
  EXPECT_TRUE(w.process.Running());
  EXPECT_EQ(w.process.Windows().size(), 1u) << "no dialog opened";
}

// Each way of closing ends the program with exit code 0, from wherever the focus is.
TEST(SetupWindow, EveryWayOfClosingEndsTheProgramWithExitCode0) {
  const struct {
    const char* name;
    int tabs;  // focus moves this many times from the edit box first
    std::function<void(const SetupWindow&)> close;
  } cases[] = {
      {"Button2 clicked", 0, [](const SetupWindow& w) { ui::Click(w.close); }},
      {"close box", 0, [](const SetupWindow& w) { PostMessageW(w.form, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+F4", 0, [](const SetupWindow&) { ui::PressKey(VK_F4, false, false, true); }},
      {"Alt+C in the edit box", 0, [](const SetupWindow&) { ui::PressKey('C', false, false, true); }},
      {"Alt+C on a shortcut button", 2, [](const SetupWindow&) { ui::PressKey('C', false, false, true); }},
      {"Enter on Button2", 4, [](const SetupWindow&) { ui::PressKey(VK_RETURN); }},
      {"Esc in the edit box", 0, [](const SetupWindow&) { ui::PressKey(VK_ESCAPE); }},
      {"Esc on btnFileOpen", 1, [](const SetupWindow&) { ui::PressKey(VK_ESCAPE); }},
      {"Esc on btnMakeStartup", 2, [](const SetupWindow&) { ui::PressKey(VK_ESCAPE); }},
      {"Esc on btnMakeDesktop", 3, [](const SetupWindow&) { ui::PressKey(VK_ESCAPE); }},
      {"Esc on Button2", 4, [](const SetupWindow&) { ui::PressKey(VK_ESCAPE); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetupWindow w;
    ASSERT_TRUE(w.Complete());
    ASSERT_TRUE(FocusBecomes(w.form, w.edit));
    ui::BringToFront(w.form);
    for (int i = 0; i < c.tabs; ++i) ui::PressKey(VK_TAB);
    c.close(w);
    EXPECT_EQ(w.process.WaitForExit(), 0u);
  }
}

// The common dialog's controls, by their standard ids.
constexpr int kFileNameCombo = 0x47C;   // cmb13, with an edit box inside
constexpr int kFileNameEdit = 0x480;    // edt1, in older layouts
constexpr int kFileTypeCombo = 0x470;   // cmb1
constexpr int kReadOnlyBox = 0x410;     // chx1

HWND WaitForOpenDialog(const SetupWindow& w) {
  return w.process.WaitForWindow([&](HWND h) { return ui::IsDialogBox(h) && h != w.form; });
}

std::wstring DescribeChildren(HWND dialog) {
  std::wstring out;
  for (HWND c : ui::Children(dialog))
    out += ui::ClassName(c) + L" id=" + std::to_wstring(GetDlgCtrlID(c)) + L" \"" + ui::Text(c) + L"\"" +
           (IsWindowVisible(c) ? L"" : L" hidden") + L"\n";
  return out;
}

// The file name box of the dialog: an edit box, or the edit box inside a combo box.
HWND FileNameBox(HWND dialog) {
  if (const HWND combo = GetDlgItem(dialog, kFileNameCombo)) return ui::FindChild(combo, L"Edit");
  return GetDlgItem(dialog, kFileNameEdit);
}

std::wstring SelectedFilter(HWND dialog) {
  const HWND combo = GetDlgItem(dialog, kFileTypeCombo);
  const LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index < 0) return L"(none)";
  std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, index, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// Chooses a file in the dialog as a user does: types the path into the file name box and
// presses OK.
void ChooseFile(HWND dialog, const std::wstring& path) {
  const HWND box = FileNameBox(dialog);
  ASSERT_NE(box, nullptr) << DescribeChildren(dialog);
  ui::BringToFront(dialog);
  ASSERT_TRUE(FocusBecomes(dialog, box)) << "the dialog starts in its file name box";
  SendMessageW(box, EM_SETSEL, 0, -1);
  ui::TypeText(path);
  ASSERT_TRUE(ui::WaitUntil([&] { return ui::Text(box) == path; })) << "typed: " << ui::Text(box);
  ui::Click(GetDlgItem(dialog, IDOK));
}

TEST(SetupWindow, BrowseFillsTheEditBoxAndCancelLeavesIt) {
  ui::TempFolder folder(L"setup_browse");
  const std::wstring memo = folder.Write(L"買い物.txt", "milk");
  const std::wstring missing = folder.Path() + L"\\まだない.log";
  SetupWindow w;
  ASSERT_TRUE(w.Complete());
  SetText(w.edit, L"typed by hand");

  // Cancel keeps a typed path; the dialog is modal, owned by the setup window, and was
  // given nothing of the edit box's text.
  ui::Click(w.open);
  HWND dialog = WaitForOpenDialog(w);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ui::Owner(dialog), w.form);
  EXPECT_FALSE(IsWindowEnabled(w.form)) << "the setup window waits for the dialog";
  EXPECT_NE(ui::Style(dialog) & WS_THICKFRAME, 0) << "the dialog can be resized";
  const HWND readOnly = GetDlgItem(dialog, kReadOnlyBox);
  EXPECT_TRUE(readOnly == nullptr || !IsWindowVisible(readOnly)) << "no read-only check box";
  EXPECT_EQ(SendMessageW(GetDlgItem(dialog, kFileTypeCombo), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SelectedFilter(dialog), L"ﾃｷｽﾄﾌｧｲﾙ (*.txt)");
  EXPECT_EQ(ui::Text(FileNameBox(dialog)), L"") << DescribeChildren(dialog);
  ui::Click(GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(ui::WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(ui::Text(w.edit), L"typed by hand");
  EXPECT_TRUE(FocusBecomes(w.form, w.open)) << "focus on " << Name(w, Focus(w.form));

  // OK replaces it with the full path.
  ui::Click(w.open);
  dialog = WaitForOpenDialog(w);
  ASSERT_NE(dialog, nullptr);
  ChooseFile(dialog, memo);
  ASSERT_TRUE(ui::WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(ui::Text(w.edit), memo);
  EXPECT_TRUE(IsWindowEnabled(w.form));
  EXPECT_TRUE(FocusBecomes(w.form, w.open)) << "focus on " << Name(w, Focus(w.form));

  // The next time the dialog offers the file chosen before; a file that does not exist
  // and is no text file is accepted with the "all files" filter, which is kept too.
  ui::Click(w.open);
  dialog = WaitForOpenDialog(w);
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(ui::Text(FileNameBox(dialog)).find(L"買い物.txt"), std::wstring::npos) << ui::Text(FileNameBox(dialog));
  const HWND combo = GetDlgItem(dialog, kFileTypeCombo);
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeCombo, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
  ChooseFile(dialog, missing);
  ASSERT_TRUE(ui::WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(ui::Text(w.edit), missing);

  ui::Click(w.open);
  dialog = WaitForOpenDialog(w);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SelectedFilter(dialog), L"すべてのﾌｧｲﾙ (*.*)");
  ui::Click(GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(ui::WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(ui::Text(w.edit), missing);

  ui::Click(w.close);
  EXPECT_EQ(w.process.WaitForExit(), 0u);
}

TEST(SetupWindow, EnterOnTheBrowseButtonOpensTheDialog) {
  SetupWindow w;
  ASSERT_TRUE(w.Complete());
  ASSERT_TRUE(FocusBecomes(w.form, w.edit));
  ui::BringToFront(w.form);
  ui::PressKey(VK_TAB);
  ASSERT_TRUE(FocusBecomes(w.form, w.open));
  ui::PressKey(VK_RETURN);
  const HWND dialog = WaitForOpenDialog(w);
  ASSERT_NE(dialog, nullptr);
  ui::Click(GetDlgItem(dialog, IDCANCEL));
  ASSERT_TRUE(ui::WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(FocusBecomes(w.form, w.open));
}

// The product's resources: the icon in both sizes, the manifest, the version.
TEST(SetupWindow, ProductCarriesIconManifestAndVersion) {
  const HMODULE exe = LoadLibraryExW(ui::ProductPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  const auto resource = [&](LPCWSTR type, int id) -> std::string {
    const HRSRC r = FindResourceW(exe, MAKEINTRESOURCEW(id), type);
    if (r == nullptr) return {};
    return std::string(static_cast<const char*>(LockResource(LoadResource(exe, r))), SizeofResource(exe, r));
  };
  // The icon directory: a 6-byte header, then 14-byte entries starting with width and height.
  const std::string icons = resource(RT_GROUP_ICON, 1);
  ASSERT_GE(icons.size(), 6u);
  std::vector<int> widths;
  for (size_t at = 6; at + 14 <= icons.size(); at += 14) {
    widths.push_back(static_cast<unsigned char>(icons[at]));
    EXPECT_EQ(icons[at], icons[at + 1]) << "square images";
  }
  std::sort(widths.begin(), widths.end());
  EXPECT_EQ(widths, (std::vector<int>{16, 32}));

  const std::string manifest = resource(RT_MANIFEST, 1);
  for (const char* part : {"Microsoft.Windows.Common-Controls", "<dpiAware", ">true<", "supportedOS"})
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  EXPECT_FALSE(resource(RT_VERSION, 1).empty());
  FreeLibrary(exe);
}

// ---- In process: exceptions raised by a form's handlers --------------------------------

class TfrmRaising : public toolkit::TForm {
 public:
  TfrmRaising();
  void btnRaiseClick() { throw toolkit::Exception(L"テスト用の例外です"); }
  void btnAbortClick() { throw toolkit::EAbort(L"silent"); }
  void btnStdClick() { throw std::runtime_error("standard"); }
  void btnCountClick() { ++clicks; }
  std::atomic<int> clicks{0};
};

constexpr toolkit::ControlDescription kRaisingControls[] = {
    {.kind = toolkit::ControlKind::Button, .name = L"btnRaise", .bounds = {8, 8, 80, 25}, .text = L"raise",
     .tabOrder = 0, .onClick = toolkit::On<&TfrmRaising::btnRaiseClick>},
    {.kind = toolkit::ControlKind::Button, .name = L"btnAbort", .bounds = {8, 40, 80, 25}, .text = L"abort",
     .tabOrder = 1, .onClick = toolkit::On<&TfrmRaising::btnAbortClick>},
    {.kind = toolkit::ControlKind::Button, .name = L"btnStd", .bounds = {8, 72, 80, 25}, .text = L"std",
     .tabOrder = 2, .onClick = toolkit::On<&TfrmRaising::btnStdClick>},
    {.kind = toolkit::ControlKind::Button, .name = L"btnCount", .bounds = {8, 104, 80, 25}, .text = L"count",
     .tabOrder = 3, .onClick = toolkit::On<&TfrmRaising::btnCountClick>},
};
constexpr toolkit::FormDescription kRaisingForm{
    .className = L"TfrmRaising",
    .caption = L"raising",
    .left = 40,
    .top = 40,
    .clientSize = {100, 140},
    .color = COLOR_BTNFACE,
    .font = {.name = L"ＭＳ Ｐゴシック", .height = -12, .charset = SHIFTJIS_CHARSET},
    .controls = kRaisingControls,
};
TfrmRaising::TfrmRaising() : TForm(kRaisingForm) {}

HWND DialogOfThisProcess() {
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(w) && ui::IsDialogBox(w)) return w;
  }
  return nullptr;
}

TEST(FormHandlers, AnExceptionIsShownWithAStopIconAndTheWindowGoesOn) {
  toolkit::TApplication app;
  app.SetTitle(kCaption);
  TfrmRaising* form = nullptr;
  app.CreateForm(form);
  const auto button = [&](const wchar_t* name) { return form->Find<toolkit::TButton>(name).Handle(); };

  std::vector<ui::MessageBoxView> boxes;
  bool silentAbort = false;
  std::thread user([&] {
    const auto readAndClose = [&] {
      HWND box = nullptr;
      if (!ui::WaitUntil([&] { return (box = DialogOfThisProcess()) != nullptr; })) return;
      Sleep(200);  // the icon is read from the screen
      boxes.push_back(ui::ReadMessageBox(box));
      ui::Click(ui::FindChild(box, L"Button", L"OK"));
      ui::WaitUntil([&] { return !IsWindow(box); });
    };
    ui::WaitUntil([&] { return IsWindowVisible(form->Handle()) != FALSE; });
    ui::Click(button(L"btnRaise"));
    readAndClose();
    ui::Click(button(L"btnStd"));
    readAndClose();
    ui::Click(button(L"btnAbort"));
    ui::Click(button(L"btnCount"));
    ui::WaitUntil([&] { return form->clicks == 1; });
    silentAbort = DialogOfThisProcess() == nullptr;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  });
  app.Run();
  user.join();

  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].caption, kCaption);
  EXPECT_EQ(boxes[0].text, L"テスト用の例外です");
  EXPECT_EQ(boxes[0].icon, IDI_ERROR);
  EXPECT_EQ(boxes[0].buttons, (std::vector<std::wstring>{L"OK"}));
  EXPECT_EQ(boxes[1].caption, kCaption);
  EXPECT_EQ(boxes[1].text, L"standard");
  EXPECT_EQ(boxes[1].icon, IDI_ERROR);
  EXPECT_TRUE(silentAbort) << "EAbort shows nothing";
  EXPECT_EQ(form->clicks, 1) << "the window went on handling clicks";
}

}  // namespace
