// The function list, the result copy and the shop link.
#include "form/form.h"
#include "geometry.h"
#include "window_fixture.h"

namespace {

using QuilloTest::WindowTest;
namespace Form = Quillo::Form;

struct Insertion {
  const wchar_t* formula;
  DWORD start, end;  // the selection, in UTF-16 units
  int entry;         // index into the list
  const char* expected;
};

enum class How { DoubleClick, EnterKey };

class Insert : public WindowTest, public ::testing::WithParamInterface<std::tuple<Insertion, How>> {};

TEST_P(Insert, WritesTheCallAtTheSelectionStartWithTheCaretAtTheEnd) {
  const auto& [c, how] = GetParam();
  SetWindowTextW(ui.TB.hwnd, c.formula);
  ui.TB.Select(c.start, c.end);
  ui.FunList.Select(c.entry);
  if (how == How::DoubleClick) {
    // What the list tells its parent on a double-click.
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ui.FunList.hwnd), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(ui.FunList.hwnd));
  } else {
    SetFocus(ui.FunList.hwnd);
    Key(ui.FunList.hwnd, WM_KEYDOWN, VK_RETURN);
  }
  EXPECT_EQ(ui.TB.Text(), c.expected);
  const auto end = static_cast<DWORD>(ui.TB.Length());
  EXPECT_EQ(ui.TB.Selection(), std::make_pair(end, end));
  EXPECT_EQ(GetFocus(), ui.TB.hwnd);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, Insert,
    ::testing::Combine(
        ::testing::Values(Insertion{L"1+", 2, 2, 10, "1+Sin()"},
                          Insertion{L"2*3", 2, 2, 7, "2*Power()3"},
                          Insertion{L"1+23", 2, 4, 0, "1+Abs()23"},  // the selected text stays
                          Insertion{L"", 0, 0, 6, "Pi()"},
                          Insertion{L"9", 0, 0, 5, "Mod()9"},
                          Insertion{L"1+2", 0, 3, 1, "Acos()1+2"},
                          // Positions after characters outside the BMP and full-width ones.
                          Insertion{L"\U0001D7D9＋", 3, 3, 11, "𝟙＋Sqrt()"}),
        ::testing::Values(How::DoubleClick, How::EnterKey)));

// Tabbing into the list leaves the first entry current but none selected:
// Enter means that entry.
TEST_F(WindowTest, EnterInTheListWithoutSelectionInsertsTheCurrentEntry) {
  ASSERT_EQ(ui.FunList.Selected(), -1);
  SetFocus(ui.FunList.hwnd);
  Key(ui.FunList.hwnd, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(ui.TB.Text(), "Abs()");
}

TEST_F(WindowTest, DoubleClickWithoutSelectedEntryDoesNothing) {
  ui.TB.SetText("1");
  SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(ui.FunList.hwnd), LBN_DBLCLK),
               reinterpret_cast<LPARAM>(ui.FunList.hwnd));
  EXPECT_EQ(ui.TB.Text(), "1");
}

TEST_F(WindowTest, DoubleClickOnTheResultCopiesItTrimmed) {
  SendMessageW(ui.JG.hwnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(3, 3));
  Evaluate("2*sin(30)+(1+2)^2");
  SendMessageW(ui.JG.hwnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(3, 3));
  Evaluate("1/4");
  SendMessageW(ui.JG.hwnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(platform.clipboard, (std::vector<std::string>{"", "7.02393675181428", "0.25"}));
  EXPECT_EQ(ui.JG.Text(), " 0.25");  // the box keeps its text
}

TEST_F(WindowTest, LinkMovesDownWhilePressedAndOpensTheShopOnRelease) {
  const UINT dpi = window.Dpi();
  for (auto [down, up] : {std::pair{WM_LBUTTONDOWN, WM_LBUTTONUP}, std::pair{WM_RBUTTONDOWN, WM_RBUTTONUP}}) {
    SendMessageW(ui.Label2.hwnd, down, 0, MAKELPARAM(4, 4));
    EXPECT_EQ(PlaceOf(ui.Label2.hwnd).top, Quillo::Win32::Pixels(Form::kLabel2PressedTop, dpi));
    EXPECT_EQ(PlaceOf(ui.Label2.hwnd).left, Quillo::Win32::Pixels(Form::kLabel2.place.left, dpi));
    EXPECT_TRUE(platform.opened.empty());
    SendMessageW(ui.Label2.hwnd, up, 0, MAKELPARAM(900, -50));  // released outside
    EXPECT_EQ(PlaceOf(ui.Label2.hwnd).top, Quillo::Win32::Pixels(Form::kLabel2.place.top, dpi));
    ASSERT_EQ(platform.opened.size(), 1u);
    EXPECT_EQ(platform.opened.front(), Form::kShopAddress);
    platform.opened.clear();
  }
  SendMessageW(ui.Label2.hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(platform.opened.size(), 1u);
}

TEST_F(WindowTest, LinkThatOpensNoBrowserSaysSoInTheErrorBox) {
  platform.browser = false;
  SendMessageW(ui.Label2.hwnd, BM_CLICK, 0, 0);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].lines, std::vector<std::string>{"无法打开网页：https://www.taobao.com/"});
  EXPECT_EQ(platform.boxes[0].title, Form::kErrorTitle);
  EXPECT_EQ(platform.boxes[0].owner, window.hwnd());
}

}  // namespace
