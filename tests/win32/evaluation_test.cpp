// Enter in the formula box and the "=" button: what the window shows is
// what the form's Enter gives, the history grows on top, the formula ends
// up selected; a rejected formula brings up the box and changes nothing.
#include "form/form.h"
#include "geometry.h"
#include "window_fixture.h"

namespace {

using QuilloTest::WindowTest;
namespace Form = Quillo::Form;

std::string Entry(const std::string& shown, const std::string& formula) {
  return Form::HistorySeparator() + "\r\n" + shown + " = " + formula + "\r\n";
}

struct Shown {
  const char* formula;
  const char* result;  // the result box's text
  const char* line;    // the history's second line
};

class Evaluation : public WindowTest, public ::testing::WithParamInterface<Shown> {};

TEST_P(Evaluation, ShowsTheResultAndPutsTheEntryOnTopWithTheFormulaSelected) {
  const Shown& c = GetParam();
  Evaluate(c.formula);
  EXPECT_EQ(ui.JG.Text(), c.result);
  EXPECT_EQ(ui.TJ.Text(), Form::HistorySeparator() + "\r\n" + c.line + "\r\n");
  EXPECT_EQ(ui.TB.Text(), c.formula);  // Enter added no line break
  EXPECT_EQ(GetFocus(), ui.TB.hwnd);
  EXPECT_EQ(ui.TB.Selection(), std::make_pair(DWORD{0}, static_cast<DWORD>(ui.TB.Length())));
  EXPECT_TRUE(platform.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, Evaluation,
    ::testing::Values(Shown{"2*sin(30)+(1+2)^2", " 7.02393675181428", " 7.02393675181428 = 2*sin(30)+(1+2)^2"},
                      Shown{"1+2", " 3", " 3 = 1+2"},
                      Shown{"1/2", " 0.5", " 0.5 = 1/2"},
                      Shown{"-1/2", " -.5", " -.5 = -1/2"},
                      Shown{"007", " 7", " 7 = 007"},
                      Shown{"1-1", " 0", " 0 = 1-1"},
                      // Chinese and full-width text crosses the UTF-16 edge whole.
                      Shown{"（１＋２）＊３", " 9", " 9 = （１＋２）＊３"},
                      // A formula of two lines is one line in the history.
                      Shown{"1+\r\n2", " 3", " 3 = 1+ 2"}));

TEST_F(WindowTest, SecondEntryGoesAboveTheFirst) {
  Evaluate("1+2");
  Evaluate("2*3");
  EXPECT_EQ(ui.TJ.Text(), Entry(" 6", "2*3") + Entry(" 3", "1+2"));
  EXPECT_EQ(ui.JG.Text(), " 6");
}

TEST_F(WindowTest, OtherKeysGoIntoTheFormulaAndStartNothing) {
  for (wchar_t c : std::wstring(L"1+2")) Char(ui.TB.hwnd, c);
  EXPECT_EQ(ui.TB.Text(), "1+2");
  EXPECT_EQ(ui.JG.Text(), "");
  EXPECT_EQ(ui.TJ.Text(), "");
}

// Ctrl+Enter comes as a line feed: it is Enter too.
TEST_F(WindowTest, CtrlEnterEvaluatesWithoutALineBreak) {
  ui.TB.SetText("4*5");
  Char(ui.TB.hwnd, L'\n');
  EXPECT_EQ(ui.JG.Text(), " 20");
  EXPECT_EQ(ui.TB.Text(), "4*5");
}

struct Rejected {
  const char* formula;
};

class Rejection : public WindowTest, public ::testing::WithParamInterface<Rejected> {};

TEST_P(Rejection, ShowsTheBoxAndLeavesResultAndHistoryAsTheyWere) {
  Evaluate("1+2");
  const std::string result = ui.JG.Text();
  const std::string history = ui.TJ.Text();
  Evaluate(GetParam().formula);
  ASSERT_EQ(platform.boxes.size(), 1u);
  const auto& box = platform.boxes.front();
  EXPECT_EQ(box.title, "错误提示");
  EXPECT_EQ(box.owner, window.hwnd());
  EXPECT_EQ(box.lines, Form::Enter(GetParam().formula).error_box);
  ASSERT_GE(box.lines.size(), 3u);
  EXPECT_EQ(box.lines.back(), Form::kErrorHint);
  EXPECT_EQ(box.lines[box.lines.size() - 2], "");
  EXPECT_EQ(ui.JG.Text(), result);
  EXPECT_EQ(ui.TJ.Text(), history);
  EXPECT_EQ(GetFocus(), ui.TB.hwnd);
  EXPECT_EQ(ui.TB.Selection(), std::make_pair(DWORD{0}, static_cast<DWORD>(ui.TB.Length())));
}

INSTANTIATE_TEST_SUITE_P(Formulas, Rejection,
                         ::testing::Values(Rejected{"1/0"}, Rejected{""}, Rejected{"1+"},
                                           Rejected{"(1+2"}, Rejected{"Sin()30"},
                                           // A formula that ends in no number is reported too.
                                           Rejected{"abc"}));

// The press: regular weight at the smaller size, same top-left corner, the
// twin unmoved; the release: back at rest, then the evaluation.
TEST_F(WindowTest, EqualsPressLooksPressedAndReleaseEvaluates) {
  for (auto [down, up] : {std::pair{WM_LBUTTONDOWN, WM_LBUTTONUP}, std::pair{WM_RBUTTONDOWN, WM_RBUTTONUP},
                          std::pair{WM_MBUTTONDOWN, WM_MBUTTONUP}}) {
    ui.TB.SetText("1+1");
    ui.JG.SetText("");
    const RECT rest = PlaceOf(ui.AN.hwnd);
    SendMessageW(ui.AN_DH.hwnd, down, 0, MAKELPARAM(5, 5));
    const RECT pressed = PlaceOf(ui.AN_DH.hwnd);
    EXPECT_FALSE(ui.AN_DH.bold);
    EXPECT_EQ(pressed.left, rest.left);
    EXPECT_EQ(pressed.top, rest.top);
    EXPECT_LT(pressed.right - pressed.left, rest.right - rest.left);
    EXPECT_EQ(GetCapture(), ui.AN_DH.hwnd);  // the release comes here wherever it is
    EXPECT_EQ(ui.JG.Text(), "");
    // Released far outside the label.
    SendMessageW(ui.AN_DH.hwnd, up, 0, MAKELPARAM(-300, 400));
    const RECT released = PlaceOf(ui.AN_DH.hwnd);
    EXPECT_TRUE(ui.AN_DH.bold);
    EXPECT_EQ(released.left, rest.left);
    EXPECT_EQ(released.right, rest.right);
    EXPECT_EQ(released.bottom, rest.bottom);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(ui.JG.Text(), " 2");
    EXPECT_EQ(GetFocus(), ui.TB.hwnd);
  }
}

// A rejected formula after "=" leaves the button at rest.
TEST_F(WindowTest, EqualsIsAtRestAfterARejectedFormula) {
  ui.TB.SetText("1/0");
  Click(ui.AN_DH.hwnd, WM_LBUTTONDOWN, WM_LBUTTONUP);
  EXPECT_EQ(platform.boxes.size(), 1u);
  EXPECT_TRUE(ui.AN_DH.bold);
  const RECT rest = PlaceOf(ui.AN.hwnd);
  const RECT now = PlaceOf(ui.AN_DH.hwnd);
  EXPECT_EQ(now.right - now.left, rest.right - rest.left);
}

// A press that loses the mouse to another window returns to rest and does
// nothing.
TEST_F(WindowTest, EqualsPressTakenAwayReturnsToRestWithoutEvaluating) {
  ui.TB.SetText("1+1");
  SendMessageW(ui.AN_DH.hwnd, WM_LBUTTONDOWN, 0, 0);
  SetCapture(ui.TB.hwnd);
  ReleaseCapture();
  EXPECT_TRUE(ui.AN_DH.bold);
  SendMessageW(ui.AN_DH.hwnd, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(ui.JG.Text(), "");
}

// From the keyboard: Space presses (the pressed look) and its release
// evaluates; Enter on the button evaluates; BM_CLICK, which is what a screen
// reader's default action sends, evaluates.
TEST_F(WindowTest, EqualsIsPressedFromTheKeyboardAndByItsDefaultAction) {
  ui.TB.SetText("2+2");
  SetFocus(ui.AN_DH.hwnd);
  Key(ui.AN_DH.hwnd, WM_KEYDOWN, VK_SPACE);
  EXPECT_FALSE(ui.AN_DH.bold);
  EXPECT_EQ(ui.JG.Text(), "");
  Key(ui.AN_DH.hwnd, WM_KEYUP, VK_SPACE);
  EXPECT_TRUE(ui.AN_DH.bold);
  EXPECT_EQ(ui.JG.Text(), " 4");

  ui.TB.SetText("3+3");
  SetFocus(ui.AN_DH.hwnd);
  Key(ui.AN_DH.hwnd, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(ui.JG.Text(), " 6");

  ui.TB.SetText("4+4");
  SendMessageW(ui.AN_DH.hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(ui.JG.Text(), " 8");
  EXPECT_TRUE(ui.AN_DH.bold);
  EXPECT_EQ(ui.TJ.Text().rfind(Form::HistorySeparator(), 0), 0u);
}

}  // namespace
