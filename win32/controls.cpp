#include "controls.h"

#include <vector>

#include "windows/utf16.h"

namespace Quillo::Win32 {

using quillo_eval::ToUtf16;
using quillo_eval::ToUtf8;

RECT Control::Place() const {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void Control::Place(const RECT& rect) const {
  SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::SetFont(HFONT font) const {
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Control::Focus() const { SetFocus(hwnd); }

bool Control::HasFocus() const { return GetFocus() == hwnd; }

std::wstring TextBox::WideText() const {
  std::wstring text(Length() + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

std::string TextBox::Text() const { return ToUtf8(WideText()); }

void TextBox::SetText(std::string_view text) const {
  SetWindowTextW(hwnd, ToUtf16(text).c_str());
}

std::size_t TextBox::Length() const {
  return static_cast<std::size_t>(GetWindowTextLengthW(hwnd));
}

std::pair<DWORD, DWORD> TextBox::Selection() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

void TextBox::Select(DWORD start, DWORD end) const { SendMessageW(hwnd, EM_SETSEL, start, end); }

void TextBox::SelectAll() const { SendMessageW(hwnd, EM_SETSEL, 0, -1); }

void TextBox::Prepend(std::wstring_view text) const {
  const std::wstring terminated(text);
  SendMessageW(hwnd, EM_SETSEL, 0, 0);
  SendMessageW(hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(terminated.c_str()));
}

void TextBox::ShowStart() const {
  SendMessageW(hwnd, EM_SETSEL, 0, 0);
  SendMessageW(hwnd, WM_VSCROLL, SB_TOP, 0);
  SendMessageW(hwnd, WM_HSCROLL, SB_LEFT, 0);
}

void ListBox::Append(std::string_view entry) const {
  SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToUtf16(entry).c_str()));
}

int ListBox::Count() const { return static_cast<int>(SendMessageW(hwnd, LB_GETCOUNT, 0, 0)); }

std::string ListBox::Entry(int index) const {
  const LRESULT length = SendMessageW(hwnd, LB_GETTEXTLEN, index, 0);
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(hwnd, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return ToUtf8(text);
}

int ListBox::Selected() const {
  const LRESULT index = SendMessageW(hwnd, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

int ListBox::Caret() const { return static_cast<int>(SendMessageW(hwnd, LB_GETCARETINDEX, 0, 0)); }

void ListBox::Select(int index) const { SendMessageW(hwnd, LB_SETCURSEL, index, 0); }

}  // namespace Quillo::Win32
