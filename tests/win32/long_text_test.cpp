// Long texts: a history of 100,000 entries takes the next one on top with
// nothing lost; a paste of a megabyte into the formula, in lines or on one
// line, keeps every character and the window answers afterwards; the box's
// text limit is no limit.
#include <string>

#include "clipboard.h"
#include "form/form.h"
#include "window_fixture.h"

namespace {

using QuilloTest::Utf8;
using QuilloTest::WindowTest;
namespace Form = Quillo::Form;

std::wstring Entries(int count, const std::string& shown, const std::string& formula) {
  const std::wstring entry =
      quillo_eval::ToUtf16(Form::HistorySeparator() + "\r\n" + shown + " = " + formula + "\r\n");
  std::wstring text;
  for (int i = 0; i < count; ++i) text += entry;
  return text;
}

LRESULT LineCount(HWND box) { return SendMessageW(box, EM_GETLINECOUNT, 0, 0); }

std::wstring Line(HWND box, int index) {
  wchar_t buffer[256]{};
  *reinterpret_cast<WORD*>(buffer) = 255;
  const auto length = SendMessageW(box, EM_GETLINE, index, reinterpret_cast<LPARAM>(buffer));
  return std::wstring(buffer, static_cast<std::size_t>(length));
}

TEST_F(WindowTest, HundredThousandEntriesTakeTheNextOnTopWithNothingLost) {
  constexpr int kEntries = 100000;
  const std::wstring old = Entries(kEntries, " 3", "1+2");
  SetWindowTextW(ui.TJ.hwnd, old.c_str());
  ASSERT_EQ(ui.TJ.Length(), old.size());  // beyond the edit control's default limit
  Evaluate("2*sin(30)+(1+2)^2");
  Evaluate("1/4");
  EXPECT_EQ(LineCount(ui.TJ.hwnd), 2 * (kEntries + 2) + 1);
  EXPECT_EQ(Utf8(Line(ui.TJ.hwnd, 0)), Form::HistorySeparator());
  EXPECT_EQ(Utf8(Line(ui.TJ.hwnd, 1)), " 0.25 = 1/4");
  EXPECT_EQ(Utf8(Line(ui.TJ.hwnd, 3)), " 7.02393675181428 = 2*sin(30)+(1+2)^2");
  EXPECT_EQ(Utf8(Line(ui.TJ.hwnd, 2 * (kEntries + 2) - 1)), " 3 = 1+2");
  const std::wstring now = ui.TJ.WideText();
  EXPECT_EQ(now.substr(now.size() - old.size()), old);
  // The box shows its top.
  EXPECT_EQ(SendMessageW(ui.TJ.hwnd, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

// A megabyte on the clipboard, in lines or as one line, pasted into the
// formula: every character arrives, the window answers, and Enter treats it
// as a formula.
class MegabytePaste : public WindowTest, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(MegabytePaste, KeepsEveryCharacterAndTheWindowAnswers) {
  std::wstring text;
  while (text.size() < (std::size_t{1} << 20)) text += GetParam();
  text.resize(std::size_t{1} << 20);
  ASSERT_TRUE(Quillo::Win32::PutOnClipboard(window.hwnd(), text));

  SetFocus(ui.TB.hwnd);
  SendMessageW(ui.TB.hwnd, WM_PASTE, 0, 0);
  EXPECT_EQ(ui.TB.Length(), text.size());
  EXPECT_EQ(ui.TB.WideText(), text);
  // Typing goes on at the end, and the window answers.
  Char(ui.TB.hwnd, L'1');
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutW(window.hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer), 0);
  text += L'1';
  EXPECT_EQ(ui.TB.WideText(), text);
  Enter();
  // The formula's lines run into each other: one box, nothing else changed.
  EXPECT_EQ(platform.boxes.size(), Form::Enter(Utf8(text)).kind == Form::EnterOutcome::Kind::Rejected ? 1u : 0u);
  EXPECT_EQ(ui.TB.Length(), text.size());
  EXPECT_EQ(ui.TB.Selection(), std::make_pair(DWORD{0}, static_cast<DWORD>(text.size())));
}

INSTANTIATE_TEST_SUITE_P(Shapes, MegabytePaste,
                         ::testing::Values(L"1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19+20+21+22+23+2\r\n",
                                           L"1+2+3+4+5+6+7+8+9+10+"));

}  // namespace
