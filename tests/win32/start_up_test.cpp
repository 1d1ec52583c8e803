// The window as Form_Load leaves it: controls at the form's twips, captions,
// the list, the twin "=" label, the fixed frame, the focus.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "form/form.h"
#include "geometry.h"
#include "window_fixture.h"

namespace {

using Quillo::Win32::PixelRect;
using QuilloTest::WindowTest;
namespace Form = Quillo::Form;

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The icon the window shows: its own, else its class's.
HICON ShownIcon(HWND hwnd, bool small) {
  if (const LRESULT own = SendMessageW(hwnd, WM_GETICON, small ? ICON_SMALL : ICON_BIG, 0)) {
    return reinterpret_cast<HICON>(own);
  }
  return reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, small ? GCLP_HICONSM : GCLP_HICON));
}

int IconWidth(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return -1;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

TEST_F(WindowTest, ListHoldsTheFormsEntriesInOrderWithNoneSelected) {
  ASSERT_EQ(ui.FunList.Count(), static_cast<int>(Form::kFunctionEntries.size()));
  for (int i = 0; i < ui.FunList.Count(); ++i) EXPECT_EQ(ui.FunList.Entry(i), Form::kFunctionEntries[i]);
  EXPECT_EQ(ui.FunList.Selected(), -1);
  // Every entry is in sight: no row stands below the list's client area.
  RECT client{};
  GetClientRect(ui.FunList.hwnd, &client);
  RECT last{};
  SendMessageW(ui.FunList.hwnd, LB_GETITEMRECT, ui.FunList.Count() - 1, reinterpret_cast<LPARAM>(&last));
  EXPECT_LE(last.bottom, client.bottom);
}

TEST_F(WindowTest, BoxesStartEmptyAndTheFormulaHasTheFocus) {
  EXPECT_EQ(ui.TB.Text(), "");
  EXPECT_EQ(ui.JG.Text(), "");
  EXPECT_EQ(ui.TJ.Text(), "");
  EXPECT_EQ(GetFocus(), ui.TB.hwnd);
}

TEST_F(WindowTest, BoxesAndListStandAtTheFormsTwipsAtTheWindowsDpi) {
  const UINT dpi = window.Dpi();
  EXPECT_TRUE(Same(PlaceOf(ui.TB.hwnd), PixelRect(Form::kTB.place, dpi)));
  EXPECT_TRUE(Same(PlaceOf(ui.JG.hwnd), PixelRect(Form::kJG.place, dpi)));
  EXPECT_TRUE(Same(PlaceOf(ui.TJ.hwnd), PixelRect(Form::kTJ.place, dpi)));
  EXPECT_TRUE(Same(PlaceOf(ui.FunList.hwnd), PixelRect(Form::kFunList.place, dpi)));
  RECT client{};
  GetClientRect(window.hwnd(), &client);
  EXPECT_EQ(client.right, Quillo::Win32::Pixels(Form::kClient.width, dpi));
  EXPECT_EQ(client.bottom, Quillo::Win32::Pixels(Form::kClient.height, dpi));
}

TEST_F(WindowTest, TwinStandsExactlyWhereTheButtonStandsAndBehindIt) {
  EXPECT_TRUE(Same(PlaceOf(ui.AN.hwnd), PlaceOf(ui.AN_DH.hwnd)));
  const RECT place = PlaceOf(ui.AN_DH.hwnd);
  POINT inside{place.left + 3, place.top + 3};
  EXPECT_EQ(ChildWindowFromPointEx(window.hwnd(), inside, CWP_SKIPINVISIBLE), ui.AN_DH.hwnd);
}

TEST_F(WindowTest, CaptionIsTheFormsAndTheFrameCannotBeResized) {
  wchar_t caption[128]{};
  GetWindowTextW(window.hwnd(), caption, 128);
  EXPECT_EQ(QuilloTest::Utf8(caption), Form::kCaption);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window.hwnd(), GWL_STYLE));
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0u);
  EXPECT_NE(style & WS_SYSMENU, 0u);
  EXPECT_NE(ShownIcon(window.hwnd(), true), nullptr);
}

// The icons at the sizes the title bar and the task bar take at the window's
// DPI: as made, after a move to a monitor at twice the scale, and back.
TEST_F(WindowTest, IconsHaveTheSizesOfTheWindowsDpi) {
  const UINT system = GetDpiForSystem();
  for (const UINT dpi : {system, 2 * system, system}) {
    if (dpi != window.Dpi()) {
      RECT suggested{};
      GetWindowRect(window.hwnd(), &suggested);
      SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    EXPECT_EQ(IconWidth(ShownIcon(window.hwnd(), false)), GetSystemMetricsForDpi(SM_CXICON, dpi)) << dpi;
    EXPECT_EQ(IconWidth(ShownIcon(window.hwnd(), true)), GetSystemMetricsForDpi(SM_CXSMICON, dpi)) << dpi;
  }
}

// Typing into the result or the history changes nothing.
TEST_F(WindowTest, ResultAndHistoryAreReadOnly) {
  for (HWND box : {ui.JG.hwnd, ui.TJ.hwnd}) {
    SetFocus(box);
    Char(box, L'7');
    EXPECT_NE(GetWindowLongPtrW(box, GWL_STYLE) & ES_READONLY, 0);
  }
  EXPECT_EQ(ui.JG.Text(), "");
  EXPECT_EQ(ui.TJ.Text(), "");
}

// Tab goes round the controls in the form's order; the two labels that act
// (the link and "=") are in it, so that the keyboard reaches them.
TEST_F(WindowTest, TabGoesRoundInTheFormsOrder) {
  const std::vector<HWND> order = {ui.TB.hwnd,     ui.TJ.hwnd,    ui.FunList.hwnd,
                                   ui.Label2.hwnd, ui.AN_DH.hwnd, ui.JG.hwnd};
  SetFocus(ui.TB.hwnd);
  for (std::size_t i = 1; i <= order.size(); ++i) {
    Key(GetFocus(), WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(GetFocus(), order[i % order.size()]) << "after " << i << " tabs";
  }
  EXPECT_EQ(ui.TB.Text(), "");  // no tab character went in
}

TEST_F(WindowTest, ControlsAreMadeInTheFormsOrderWithItsIdentifiers) {
  const HWND made[] = {ui.TB.hwnd, ui.JG.hwnd, ui.TJ.hwnd, ui.AN.hwnd,
                       ui.AN_DH.hwnd, ui.Label1.hwnd, ui.FunList.hwnd, ui.Label2.hwnd};
  for (std::size_t i = 0; i < std::size(made); ++i) {
    EXPECT_EQ(GetDlgCtrlID(made[i]), static_cast<int>(i + 1)) << Form::kControls[i]->name;
  }
}

}  // namespace

namespace {

std::wstring VersionString(const std::vector<char>& block, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
  if (!VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return L"<none>";
  return std::wstring(value, length > 0 ? length - 1 : 0);
}

// The program's resources (the suite links the same ones): the version, and
// the Common Controls 6 that the manifest asks for.
TEST(Resources, VersionAndCommonControls6) {
  wchar_t path[MAX_PATH]{};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const DWORD size = GetFileVersionInfoSizeW(path, nullptr);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));
  EXPECT_EQ(VersionString(block, L"ProductName"), L"Quillo");
  EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"quillo.exe");
  EXPECT_NE(VersionString(block, L"ProductVersion"), L"<none>");

  // The manifest's dependency: the program's activation context sends
  // comctl32.dll to the side-by-side Common Controls 6.
  ACTCTX_SECTION_KEYED_DATA redirection{};
  redirection.cbSize = sizeof redirection;
  EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                       L"comctl32.dll", &redirection));
}

}  // namespace
