// The real platform: the error box of our own, the clipboard.
#include <string>
#include <vector>

#include "error_box.h"
#include "form/form.h"
#include "window_fixture.h"

namespace {

using QuilloTest::Utf8;
using QuilloTest::WindowTest;

std::string TextOf(HWND hwnd) { return Quillo::Win32::TextBox{{hwnd}}.Text(); }

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64]{};
  GetClassNameW(hwnd, name, 64);
  return name;
}

// What the box looked like while it was open, read from inside its modal loop.
struct Seen {
  bool found = false;
  std::string title;
  std::string message;
  std::vector<std::string> buttons;
  int icons = 0;
  bool ownerEnabled = true;
  HWND owner = nullptr;
  HWND box = nullptr;
};
Seen seen;
HWND expectedOwner = nullptr;

BOOL CALLBACK NoteChild(HWND child, LPARAM) {
  const std::wstring name = ClassOf(child);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
  if (_wcsicmp(name.c_str(), L"Button") == 0) seen.buttons.push_back(TextOf(child));
  if (_wcsicmp(name.c_str(), L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) ++seen.icons;
  if (GetDlgCtrlID(child) == Quillo::Win32::kErrorBoxMessageId) seen.message = TextOf(child);
  return TRUE;
}

BOOL CALLBACK FindBox(HWND hwnd, LPARAM) {
  if (ClassOf(hwnd) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
  seen.found = true;
  seen.box = hwnd;
  seen.title = TextOf(hwnd);
  seen.owner = GetWindow(hwnd, GW_OWNER);
  seen.ownerEnabled = expectedOwner != nullptr && IsWindowEnabled(expectedOwner);
  EnumChildWindows(hwnd, NoteChild, 0);
  return FALSE;
}

RECT seenFrame{};

// Called on the thread's timer until the box is up: the box shows itself
// once its modal loop has started.
void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), FindBox, 0);
  if (!seen.found) return;
  KillTimer(nullptr, timer);
  GetWindowRect(seen.box, &seenFrame);
  PostMessageW(seen.box, WM_COMMAND, IDOK, 0);
}

TEST_F(WindowTest, ErrorBoxIsModalTitledWithOneButtonAndNoIcon) {
  seen = {};
  expectedOwner = window.hwnd();
  const std::vector<std::string> lines = Quillo::Form::Enter("1/0").error_box;
  SetTimer(nullptr, 0, 100, LookAndClose);
  Quillo::Win32::ShowErrorBox(window.hwnd(), lines, Quillo::Form::kErrorTitle);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.title, "错误提示");
  EXPECT_EQ(seen.buttons, std::vector<std::string>{"确定"});
  EXPECT_EQ(seen.icons, 0);
  EXPECT_EQ(seen.owner, window.hwnd());
  EXPECT_FALSE(seen.ownerEnabled);  // modal: the window takes nothing meanwhile
  std::string joined;
  for (std::size_t i = 0; i < lines.size(); ++i) joined += (i > 0 ? "\r\n" : "") + lines[i];
  EXPECT_EQ(seen.message, joined);
  EXPECT_FALSE(IsWindow(seen.box));
  EXPECT_TRUE(IsWindowEnabled(window.hwnd()));
}

// A message of some 100,000 characters on one line is shown whole, broken
// into lines that scroll, and the box still fits on the screen.
TEST_F(WindowTest, ErrorBoxKeepsALongMessageWholeAndFitsOnTheScreen) {
  seen = {};
  expectedOwner = window.hwnd();
  const std::vector<std::string> lines = {std::string(100000, '9'), "", std::string(Quillo::Form::kErrorHint)};
  SetTimer(nullptr, 0, 100, LookAndClose);
  Quillo::Win32::ShowErrorBox(window.hwnd(), lines, Quillo::Form::kErrorTitle);
  ASSERT_TRUE(seen.found);
  EXPECT_LT(seenFrame.bottom - seenFrame.top, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_LT(seenFrame.right - seenFrame.left, GetSystemMetrics(SM_CXSCREEN));
  std::string shown = seen.message;
  std::erase(shown, '\r');
  std::erase(shown, '\n');
  EXPECT_EQ(shown, lines[0] + lines[2]);
}

TEST_F(WindowTest, ClipboardHoldsTheTextAsUnicode) {
  Quillo::Win32::Win32Platform real;
  real.SetClipboardText(window.hwnd(), "7.02393675181428 π");
  ASSERT_TRUE(OpenClipboard(window.hwnd()));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  const std::wstring text(static_cast<const wchar_t*>(GlobalLock(data)));
  GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(Utf8(text), "7.02393675181428 π");
}

}  // namespace
