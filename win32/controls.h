// Thin wrappers over the window's Win32 controls: a text box (our own class,
// win32/text/text_box.h, which answers the edit control's messages), a
// LISTBOX as a list. Texts cross here as UTF-8 (the form's), positions as
// the control counts them (UTF-16 units). Line breaks in a box are CR LF.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace Quillo::Win32 {

class Control {
public:
  HWND hwnd = nullptr;

  // In the parent's client coordinates.
  RECT Place() const;
  void Place(const RECT& rect) const;
  void SetFont(HFONT font) const;
  void Focus() const;
  bool HasFocus() const;
};

class TextBox : public Control {
public:
  std::wstring WideText() const;
  std::string Text() const;
  void SetText(std::string_view text) const;
  std::size_t Length() const;  // in UTF-16 units

  // The selection, start and end, in UTF-16 units.
  std::pair<DWORD, DWORD> Selection() const;
  void Select(DWORD start, DWORD end) const;
  void SelectAll() const;

  // Writes `text` in front of the box's text, which is neither read nor
  // written back: the cost does not grow with the text already there.
  void Prepend(std::wstring_view text) const;
  // Scrolls to the first line and the first column.
  void ShowStart() const;
};

class ListBox : public Control {
public:
  void Append(std::string_view entry) const;
  int Count() const;
  std::string Entry(int index) const;
  int Selected() const;  // -1: none
  int Caret() const;     // the entry with the focus rectangle
  void Select(int index) const;
};

}  // namespace Quillo::Win32
