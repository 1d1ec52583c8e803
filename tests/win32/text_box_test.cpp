// The window's own text box, on its own: editing from the keyboard and the
// clipboard, a read-only box, offsets across line breaks and surrogate
// pairs, rows that wrap at the box's width, and the Song face standing in
// for characters the box's face lacks.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "clipboard.h"
#include "fonts.h"
#include "form/form.h"
#include "text/text_box.h"
#include "window_fixture.h"

namespace {

using QuilloTest::Pump;
using QuilloTest::Utf8;
namespace Form = Quillo::Form;

// A box of the given style, 200 by 100 pixels, in a window of its own.
class Box : public Quillo::Win32::TextBox {
public:
  explicit Box(DWORD style, const Form::Font& font = Quillo::Form::kTB.font) {
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                              nullptr, nullptr, nullptr);
    hwnd = CreateWindowExW(0, Quillo::Win32::TextBoxClass(), L"",
                           WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | style, 0, 0, 200, 100, parent_,
                           nullptr, nullptr, nullptr);
    font_ = Quillo::Win32::MakeFont(font, USER_DEFAULT_SCREEN_DPI);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SetFocus(hwnd);
  }
  ~Box() {
    DestroyWindow(parent_);
    DeleteObject(font_);
  }
  std::wstring Row(int row) const {
    wchar_t buffer[512]{};
    *reinterpret_cast<WORD*>(buffer) = 511;
    return std::wstring(buffer, static_cast<std::size_t>(SendMessageW(hwnd, EM_GETLINE, row, reinterpret_cast<LPARAM>(buffer))));
  }
  int Rows() const { return static_cast<int>(SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0)); }

  // Plays `script`: characters are typed; {Name} is a key, with S- for
  // Shift and C- for Ctrl held.
  void Play(std::wstring_view script) const {
    for (std::size_t i = 0; i < script.size(); ++i) {
      if (script[i] != L'{') {
        SendMessageW(hwnd, WM_CHAR, script[i], 1);
        continue;
      }
      const std::size_t close = script.find(L'}', i);
      std::wstring_view key = script.substr(i + 1, close - i - 1);
      i = close;
      bool shift = false, control = false;
      for (;; key.remove_prefix(2)) {
        if (key.starts_with(L"S-")) shift = true;
        else if (key.starts_with(L"C-")) control = true;
        else break;
      }
      static const std::pair<std::wstring_view, WPARAM> keys[] = {
          {L"Left", VK_LEFT}, {L"Right", VK_RIGHT}, {L"Up", VK_UP},       {L"Down", VK_DOWN},
          {L"Home", VK_HOME}, {L"End", VK_END},     {L"Del", VK_DELETE},  {L"Ins", VK_INSERT}};
      static const std::pair<std::wstring_view, wchar_t> chars[] = {
          {L"BS", L'\b'}, {L"Enter", L'\r'}, {L"A", 0x01}, {L"C", 0x03}, {L"V", 0x16}, {L"X", 0x18}, {L"Z", 0x1A}};
      Hold(VK_SHIFT, shift);
      Hold(VK_CONTROL, control);
      for (const auto& [name, code] : keys) {
        if (name == key) SendMessageW(hwnd, WM_KEYDOWN, code, 1);
      }
      for (const auto& [name, code] : chars) {
        if (name == key) SendMessageW(hwnd, WM_CHAR, code, 1);
      }
      Hold(VK_SHIFT, false);
      Hold(VK_CONTROL, false);
    }
  }

private:
  static void Hold(int key, bool down) {
    BYTE state[256]{};
    GetKeyboardState(state);
    state[key] = down ? 0x80 : 0;
    SetKeyboardState(state);
  }
  HWND parent_ = nullptr;
  HFONT font_ = nullptr;
};

struct Editing {
  const wchar_t* text;    // the box's text to begin with (the caret at its start)
  DWORD style;            // ES_READONLY or not
  const wchar_t* script;  // what the user does
  const wchar_t* result;
  DWORD start, end;       // the selection afterwards
  const wchar_t* clipboard = nullptr;  // what the clipboard then holds, if checked
};

class TextBoxEditing : public ::testing::TestWithParam<Editing> {};

TEST_P(TextBoxEditing, LeavesTheTextAndSelectionAUserExpects) {
  const Editing& c = GetParam();
  ASSERT_TRUE(Quillo::Win32::PutOnClipboard(nullptr, L"<clip>"));
  Box box(c.style);
  SetWindowTextW(box.hwnd, c.text);
  box.Play(c.script);
  EXPECT_EQ(box.Text(), Utf8(c.result));
  EXPECT_EQ(box.Selection(), std::make_pair(c.start, c.end));
  if (c.clipboard != nullptr) {
    EXPECT_EQ(Utf8(Quillo::Win32::ClipboardText(nullptr)), Utf8(c.clipboard));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TextBoxEditing,
    ::testing::Values(
        Editing{L"", 0, L"12+34{Left}{Left}5", L"12+534", 4, 4},
        Editing{L"", 0, L"12+34{S-Left}{S-Left}9", L"12+9", 4, 4},
        Editing{L"ab cd", 0, L"{End}{C-Left}X", L"ab Xcd", 4, 4},
        Editing{L"ab cd", 0, L"{C-Right}{S-C-Right}", L"ab cd", 3, 5},
        Editing{L"ab cd", 0, L"{S-End}{Del}", L"", 0, 0},
        // A line break is one character to the keys, two to the offsets.
        Editing{L"a\r\nb", 0, L"{End}{Del}", L"ab", 1, 1},
        Editing{L"a\r\nb", 0, L"{Down}{BS}", L"ab", 1, 1},
        Editing{L"a\r\nb", 0, L"{Right}{S-Right}", L"a\r\nb", 1, 3},
        Editing{L"ab", 0, L"{End}{Enter}c", L"ab\r\nc", 5, 5},
        // A surrogate pair is one character.
        Editing{L"x\U0001F600y", 0, L"{Right}{Right}{BS}", L"xy", 1, 1},
        Editing{L"x\U0001F600y", 0, L"{Right}{Del}", L"xy", 1, 1},
        Editing{L"", 0, L"{BS}{Del}{Left}", L"", 0, 0},
        // Undo takes back what was typed in one go; a second undo redoes.
        Editing{L"12", 0, L"{End}34{Z}", L"12", 2, 2},
        Editing{L"12", 0, L"{End}34{Z}{Z}", L"1234", 4, 4},
        Editing{L"12", 0, L"{S-End}9{Z}", L"12", 2, 2},
        // The clipboard, by Ctrl and by Shift/Ctrl with Insert and Delete.
        Editing{L"abc", 0, L"{S-End}{X}{V}{V}", L"abcabc", 6, 6, L"abc"},
        Editing{L"abc", 0, L"{A}{C}{End}{V}", L"abcabc", 6, 6, L"abc"},
        Editing{L"abc", 0, L"{S-End}{S-Del}{S-Ins}{C-Ins}", L"abc", 3, 3, L"abc"},
        Editing{L"a\r\nb", 0, L"{A}{C}", L"a\r\nb", 0, 4, L"a\r\nb"},
        Editing{L"ab", 0, L"{End}{V}", L"ab<clip>", 8, 8},
        // Read-only: the keys move and select, the clipboard takes a copy,
        // nothing changes the text.
        Editing{L"abc", ES_READONLY, L"x{BS}{Del}{Enter}{V}{Z}", L"abc", 0, 0},
        Editing{L"abc", ES_READONLY, L"{S-End}{X}{S-Del}", L"abc", 0, 3, L"<clip>"},
        Editing{L"abc", ES_READONLY, L"{Right}{S-End}{C}", L"abc", 1, 3, L"bc"}));

struct Offsets {
  const wchar_t* text;
  int start, end;          // EM_SETSEL
  DWORD gotStart, gotEnd;  // EM_GETSEL
};

class TextBoxOffsets : public ::testing::TestWithParam<Offsets> {};

TEST_P(TextBoxOffsets, SelectionLandsOnCharacterBoundaries) {
  const Offsets& c = GetParam();
  Box box(0);
  SetWindowTextW(box.hwnd, c.text);
  SendMessageW(box.hwnd, EM_SETSEL, static_cast<WPARAM>(c.start), c.end);
  EXPECT_EQ(box.Selection(), std::make_pair(c.gotStart, c.gotEnd));
}

INSTANTIATE_TEST_SUITE_P(
    EditMessages, TextBoxOffsets,
    ::testing::Values(Offsets{L"ab\r\ncd", 0, -1, 0, 6}, Offsets{L"ab\r\ncd", 3, 5, 2, 5},
                      Offsets{L"ab\r\ncd", 6, 2, 2, 6}, Offsets{L"ab\r\ncd", 100, 100, 6, 6},
                      Offsets{L"a\U0001F600b", 2, 2, 1, 1}, Offsets{L"a\U0001F600b", 1, 3, 1, 3},
                      Offsets{L"", 0, -1, 0, 0}));

// Wrapped rows keep every character, break after a blank where one is in
// reach, and fit the box.
struct Wrapping {
  const wchar_t* text;
  bool blanksEndRows;
};

class TextBoxWrapping : public ::testing::TestWithParam<Wrapping> {};

TEST_P(TextBoxWrapping, RowsKeepEveryCharacterAndFitTheBox) {
  const Wrapping& c = GetParam();
  std::wstring text;
  while (text.size() < 300) text += c.text;
  Box box(0, Form::kLabel1.font);  // the Song face: no stand-in measures differently
  SetWindowTextW(box.hwnd, text.c_str());
  ASSERT_GT(box.Rows(), 2);
  RECT client{};
  GetClientRect(box.hwnd, &client);
  HDC dc = GetDC(box.hwnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box.hwnd, WM_GETFONT, 0, 0)));
  std::wstring joined;
  for (int row = 0; row < box.Rows(); ++row) {
    const std::wstring shown = box.Row(row);
    joined += shown;
    if (row + 1 == box.Rows()) continue;
    std::wstring ink = shown;
    while (!ink.empty() && ink.back() == L' ') ink.pop_back();
    SIZE size{};
    GetTextExtentPoint32W(dc, ink.c_str(), static_cast<int>(ink.size()), &size);
    EXPECT_LE(size.cx, client.right) << "row " << row;
    if (c.blanksEndRows) {
      EXPECT_EQ(shown.back(), L' ') << "row " << row;
    }
  }
  SelectObject(dc, old);
  ReleaseDC(box.hwnd, dc);
  EXPECT_EQ(Utf8(joined), Utf8(text));
}

INSTANTIATE_TEST_SUITE_P(Texts, TextBoxWrapping,
                         ::testing::Values(Wrapping{L"1+2+3+4+5+6+7+8+9", false},
                                           Wrapping{L"Abs(1) + Sqrt(2) ", true},
                                           Wrapping{L"一二三四五六七八九十", false}));

// A click lands where the box shows a character, on every row of a wrapped
// text; Shift+click selects up to there; a double-click takes the word.
TEST(TextBoxMouse, ClicksLandOnTheCharacterShownThere) {
  Box box(0, Form::kLabel1.font);
  std::wstring text;
  while (text.size() < 120) text += L"12+中文 ";
  SetWindowTextW(box.hwnd, text.c_str());
  ASSERT_GT(box.Rows(), 2);
  const auto at = [&](DWORD offset) {
    const auto point = static_cast<DWORD>(SendMessageW(box.hwnd, EM_POSFROMCHAR, offset, 0));
    return MAKELPARAM(static_cast<short>(LOWORD(point)) + 1, static_cast<short>(HIWORD(point)) + 1);
  };
  for (DWORD offset = 0; offset < text.size(); ++offset) {
    SendMessageW(box.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(offset));
    SendMessageW(box.hwnd, WM_LBUTTONUP, 0, at(offset));
    ASSERT_EQ(box.Selection(), std::make_pair(offset, offset)) << "offset " << offset;
  }
  SendMessageW(box.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at(2));
  SendMessageW(box.hwnd, WM_LBUTTONUP, 0, at(2));
  SendMessageW(box.hwnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, at(40));
  SendMessageW(box.hwnd, WM_LBUTTONUP, 0, at(40));
  EXPECT_EQ(box.Selection(), std::make_pair(DWORD{2}, DWORD{40}));
  SendMessageW(box.hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at(8));  // in the second "12+中文"
  EXPECT_EQ(box.Selection(), std::make_pair(DWORD{6}, DWORD{11}));
}

// The caret stays in view as it moves, and the wheel scrolls.
TEST(TextBoxScrolling, TheCaretStaysInViewAndTheWheelScrolls) {
  Box box(0);
  std::wstring text;
  for (int line = 0; line < 50; ++line) text += std::to_wstring(line) + L"\r\n";
  SetWindowTextW(box.hwnd, text.c_str());
  const auto first = [&] { return SendMessageW(box.hwnd, EM_GETFIRSTVISIBLELINE, 0, 0); };
  const auto caretRow = [&] { return SendMessageW(box.hwnd, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0); };
  box.Play(L"{C-End}");
  EXPECT_EQ(caretRow(), 50);
  EXPECT_GT(first(), 40);
  RECT client{};
  GetClientRect(box.hwnd, &client);
  const auto point = static_cast<DWORD>(SendMessageW(box.hwnd, EM_POSFROMCHAR, text.size(), 0));
  EXPECT_LE(static_cast<short>(HIWORD(point)) + 10, client.bottom);  // the caret's row is in view
  box.Play(L"{C-Home}");
  EXPECT_EQ(first(), 0);
  UINT perNotch = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
  SendMessageW(box.hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  EXPECT_EQ(first(), static_cast<LRESULT>(perNotch));
  box.Play(L"{Down}");  // the caret's row is in view again
  EXPECT_EQ(first(), 1);
}

// The history's separator is a row of dashes, not of empty boxes: the ink
// of its row is a thin stroke, where boxes would be tall outlines.
TEST(TextBoxFaces, CharactersTheFaceLacksComeFromTheSongFace) {
  Box box(ES_READONLY | ES_AUTOHSCROLL, Form::kTJ.font);
  SetWindowTextW(box.hwnd, quillo_eval::ToUtf16(Form::HistorySeparator()).c_str());
  SetFocus(nullptr);  // no caret in the picture
  RedrawWindow(box.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_INVALIDATE);
  Pump();
  TEXTMETRICW metrics{};
  HDC dc = GetDC(box.hwnd);
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box.hwnd, WM_GETFONT, 0, 0)));
  GetTextMetricsW(dc, &metrics);
  int top = metrics.tmHeight, bottom = -1, inked = 0;
  for (int y = 0; y < metrics.tmHeight; ++y) {
    for (int x = 0; x < 150; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 300) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        ++inked;
      }
    }
  }
  ReleaseDC(box.hwnd, dc);
  ASSERT_GT(inked, 20);
  EXPECT_LE(bottom - top + 1, std::max(2, static_cast<int>(metrics.tmHeight) / 5));
}

}  // namespace
