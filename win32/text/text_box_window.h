// The inside of a text box window (text_box.h): its text, rows, caret,
// selection, view and undo, and what it does with messages. Split by area:
//   text_box.cpp          the window class and the messages
//   text_box_editing.cpp  changing the text: typing, keys, clipboard, undo
//   text_box_view.cpp     the caret, the selection, scrolling and drawing
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "text/glyphs.h"
#include "text/text_lines.h"
#include "text/text_rows.h"

namespace Quillo::Win32 {

class TextBoxWindow {
public:
  explicit TextBoxWindow(HWND hwnd) : hwnd_(hwnd) {}
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
  // What the box is: its style bits, its sizes.
  DWORD Style() const { return static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)); }
  bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
  bool Wraps() const { return (Style() & ES_AUTOHSCROLL) == 0; }
  int Margin() const { return margin_; }
  RECT Client() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return client;
  }
  int TextWidth() const { return std::max(1, static_cast<int>(Client().right) - 2 * Margin()); }
  std::size_t VisibleRows() const {
    return static_cast<std::size_t>(std::max<LONG>(1, Client().bottom / glyphs_.LineHeight()));
  }
  TextPos SelStart() const { return std::min(anchor_, caret_); }
  TextPos SelEnd() const { return std::max(anchor_, caret_); }
  bool HasSelection() const { return anchor_ != caret_; }

  // The text.
  void Layout();
  void SetText(std::wstring_view text);
  void Replace(TextPos from, TextPos to, std::wstring_view text, bool typing, bool undoable);
  void ReplaceSelection(std::wstring_view text, bool typing = false) {
    Replace(SelStart(), SelEnd(), text, typing, true);
  }
  bool Undo();
  void Copy() const;
  void Cut();
  void Paste();

  // The caret, the selection and the view.
  void MoveCaret(TextPos to, bool extend, bool keepGoal = false);
  void Select(TextPos anchor, TextPos caret);
  TextPos Hit(int x, int y) const;
  TextPos RowEnd(std::size_t row) const;
  void OnKey(WPARAM key);
  void OnChar(wchar_t character);
  void ScrollTo(std::ptrdiff_t top, int left);
  void ScrollToCaret();
  void OnScroll(int bar, int request);
  void UpdateScrollBars();
  void PlaceCaret();
  void Changed();
  void ContextMenu(LPARAM at);

  // Drawing.
  void Paint();
  void DrawRow(HDC dc, std::size_t row, int y, const RECT& paint, COLORREF text) const;
  HBRUSH Colours(HDC dc) const;

  // Edit-control messages that read positions and lines.
  LRESULT LineIndex(WPARAM row) const;
  LRESULT GetLine(WPARAM row, LPARAM buffer) const;

  HWND hwnd_;
  TextLines text_;
  TextRows rows_;
  Glyphs glyphs_;
  TextPos anchor_;
  TextPos caret_;
  int goalX_ = -1;        // Up and Down keep to this x, once set
  std::size_t top_ = 0;   // the first row in view
  int left_ = 0;          // pixels scrolled sideways
  int margin_ = 1;        // left and right of the rows
  int wheel_ = 0;         // wheel turns not yet a whole row
  bool focused_ = false;
  bool dragging_ = false;
  bool composing_ = false;
  struct ShownBar {
    bool set = false;
    int max = 0;
    UINT page = 0;
    int pos = 0;
  };
  std::array<ShownBar, 2> shownBars_;  // what the vertical and sideways bars show  // an input method is composing at the caret
  // One step of undo, as the edit control keeps it: the text put in at an
  // offset and the text it replaced. Undoing swaps them, so that a second
  // undo redoes.
  struct UndoStep {
    bool valid = false;
    bool typing = false;  // more typed characters join the step
    std::size_t at = 0;
    std::size_t inserted = 0;  // in offset units
    std::wstring removed;
  } undo_;
};

}  // namespace Quillo::Win32
