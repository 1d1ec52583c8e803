// The window as Form_Load leaves it: controls at the form's twips, captions,
// the list, the twin "=" label, the fixed frame, the focus.
#include <algorithm>

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

TEST_F(WindowTest, ListHoldsTheFormsEntriesInOrderWithNoneSelected) {
  ASSERT_EQ(ui.FunList.Count(), static_cast<int>(Form::kFunctionEntries.size()));
  for (int i = 0; i < ui.FunList.Count(); ++i) EXPECT_EQ(ui.FunList.Entry(i), Form::kFunctionEntries[i]);
  EXPECT_EQ(ui.FunList.Selected(), -1);
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
  EXPECT_NE(SendMessageW(window.hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
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
