#include <windows.h>

#include <imm.h>

#include <algorithm>
#include <vector>

#include "text/text_box_window.h"

namespace Quillo::Win32 {

void TextBoxWindow::MoveCaret(TextPos to, bool extend, bool keepGoal) {
  const bool hadSelection = HasSelection();
  caret_ = text_.Clamp(to);
  if (!extend) anchor_ = caret_;
  if (!keepGoal) goalX_ = -1;
  if (hadSelection || HasSelection()) InvalidateRect(hwnd_, nullptr, FALSE);
  ScrollToCaret();
}

void TextBoxWindow::Select(TextPos anchor, TextPos caret) {
  anchor_ = text_.Clamp(anchor);
  caret_ = text_.Clamp(caret);
  goalX_ = -1;
  InvalidateRect(hwnd_, nullptr, FALSE);
  PlaceCaret();
}

TextPos TextBoxWindow::Hit(int x, int y) const {
  const auto rowHeight = static_cast<std::ptrdiff_t>(glyphs_.LineHeight());
  std::ptrdiff_t row = static_cast<std::ptrdiff_t>(top_) + (y >= 0 ? y / rowHeight : (y - rowHeight + 1) / rowHeight);
  row = std::clamp<std::ptrdiff_t>(row, 0, static_cast<std::ptrdiff_t>(rows_.Count()) - 1);
  return rows_.At(text_, glyphs_, static_cast<std::size_t>(row), x - Margin() + left_);
}

// The last place on a row: where a wrapped row ends is the next one's start.
TextPos TextBoxWindow::RowEnd(std::size_t row) const {
  const TextPos start = rows_.Start(row);
  const std::size_t end = rows_.End(text_, row);
  if (end < text_.Line(start.line).size() && end > start.column) return text_.Previous({start.line, end});
  return {start.line, end};
}

void TextBoxWindow::ScrollTo(std::ptrdiff_t top, int left) {
  const auto lastTop = static_cast<std::ptrdiff_t>(rows_.Count() > VisibleRows() ? rows_.Count() - VisibleRows() : 0);
  const auto newTop = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(top, 0, lastTop));
  const int widest = Wraps() ? 0 : rows_.Widest(text_, glyphs_) + 2 * Margin();
  const int newLeft = std::clamp(left, 0, std::max(0, widest - static_cast<int>(Client().right)));
  if (newTop == top_ && newLeft == left_) return;
  top_ = newTop;
  left_ = newLeft;
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, FALSE);
  PlaceCaret();
}

// Scrolls so that the caret is in view.
void TextBoxWindow::ScrollToCaret() {
  const std::size_t row = rows_.RowOf(caret_);
  std::size_t top = top_;
  if (row < top) top = row;
  if (row >= top + VisibleRows()) top = row - VisibleRows() + 1;
  int left = left_;
  if (!Wraps()) {
    const int x = rows_.X(text_, glyphs_, caret_);
    const int width = TextWidth();
    if (x < left) left = std::max(0, x - width / 4);
    if (x >= left + width) left = x - width * 3 / 4;
  }
  ScrollTo(static_cast<std::ptrdiff_t>(top), left);
  PlaceCaret();
}

void TextBoxWindow::OnScroll(int bar, int request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, bar, &info);
  const bool vertical = bar == SB_VERT;
  const int line = vertical ? 1 : glyphs_.Advance(U'0', 0) * 4;
  const int page = vertical ? static_cast<int>(std::max<std::size_t>(1, VisibleRows() - 1)) : TextWidth() * 3 / 4;
  int to = vertical ? static_cast<int>(top_) : left_;
  switch (request) {
    case SB_LINEUP: to -= line; break;
    case SB_LINEDOWN: to += line; break;
    case SB_PAGEUP: to -= page; break;
    case SB_PAGEDOWN: to += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: to = info.nTrackPos; break;
    case SB_TOP: to = 0; break;
    case SB_BOTTOM: to = info.nMax; break;
    default: return;
  }
  vertical ? ScrollTo(to, left_) : ScrollTo(static_cast<std::ptrdiff_t>(top_), to);
}

// A bar is set only when what it shows changes: Wine draws a bar anew for
// every SetScrollInfo, at several milliseconds each.
void TextBoxWindow::UpdateScrollBars() {
  const DWORD style = Style();
  const auto set = [this](int bar, int max, UINT page, int pos) {
    ShownBar& shown = shownBars_[bar == SB_VERT ? 0 : 1];
    if (shown.set && shown.max == max && shown.page == page && shown.pos == pos) return;
    shown = {true, max, page, pos};
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMax = max;
    info.nPage = page;
    info.nPos = pos;
    SetScrollInfo(hwnd_, bar, &info, TRUE);
  };
  if ((style & WS_VSCROLL) != 0) {
    set(SB_VERT, static_cast<int>(rows_.Count()) - 1, static_cast<UINT>(VisibleRows()), static_cast<int>(top_));
  }
  if ((style & WS_HSCROLL) != 0) {
    set(SB_HORZ, Wraps() ? 0 : rows_.Widest(text_, glyphs_) + 2 * Margin() - 1, static_cast<UINT>(Client().right),
        left_);
  }
}

void TextBoxWindow::PlaceCaret() {
  if (!focused_) return;
  const std::size_t row = rows_.RowOf(caret_);
  const int height = glyphs_.LineHeight();
  // Above the view, the caret is put out of sight.
  const int y = row < top_ ? -2 * height : static_cast<int>(std::min<std::size_t>(row - top_, 10000)) * height;
  const int x = Margin() - left_ + rows_.X(text_, glyphs_, caret_);
  SetCaretPos(x, y);
  if (!composing_) return;
  if (HIMC context = ImmGetContext(hwnd_)) {
    COMPOSITIONFORM form{CFS_POINT, {x, y}, {}};
    ImmSetCompositionWindow(context, &form);
    ImmReleaseContext(hwnd_, context);
  }
}

// After an edit: the bars, the caret in view, a fresh picture, and word to
// assistive technology that the value changed.
void TextBoxWindow::Changed() {
  UpdateScrollBars();
  ScrollToCaret();
  InvalidateRect(hwnd_, nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}

HBRUSH TextBoxWindow::Colours(HDC dc) const {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  HWND parent = GetParent(hwnd_);
  const UINT message = ReadOnly() ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  auto brush = reinterpret_cast<HBRUSH>(
      parent != nullptr ? SendMessageW(parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)) : 0);
  return brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW);
}

// Everything is drawn off screen and copied in one piece: no flicker.
void TextBoxWindow::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(hwnd_, &paint);
  const RECT client = Client();
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  HGDIOBJ oldFont = SelectObject(memory, glyphs_.Font());
  FillRect(memory, &client, Colours(memory));
  const COLORREF text = GetTextColor(memory);
  SetBkMode(memory, TRANSPARENT);
  const int height = glyphs_.LineHeight();
  for (std::size_t row = top_, y = 0; row < rows_.Count() && static_cast<LONG>(y) < client.bottom; ++row, y += height) {
    if (static_cast<LONG>(y) + height > paint.rcPaint.top && static_cast<LONG>(y) < paint.rcPaint.bottom) {
      DrawRow(memory, row, static_cast<int>(y), paint.rcPaint, text);
    }
  }
  BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
         paint.rcPaint.bottom - paint.rcPaint.top, memory, paint.rcPaint.left, paint.rcPaint.top, SRCCOPY);
  SelectObject(memory, oldFont);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  EndPaint(hwnd_, &paint);
}

// One row: only the characters in the painted area are looked at past those
// before them, so that a row of a million characters draws as fast as
// its place allows. Characters go out in runs of one face and one colour.
void TextBoxWindow::DrawRow(HDC dc, std::size_t row, int y, const RECT& paint, COLORREF text) const {
  const TextPos start = rows_.Start(row);
  const std::size_t end = rows_.End(text_, row);
  const std::wstring& line = text_.Line(start.line);
  // The selected columns of this row, shown while the box has the focus.
  std::size_t selFrom = 0;
  std::size_t selTo = 0;
  if (focused_ && HasSelection()) {
    const TextPos from = SelStart();
    const TextPos to = SelEnd();
    if (from.line <= start.line && to.line >= start.line) {
      selFrom = from.line < start.line ? 0 : from.column;
      selTo = to.line > start.line ? line.size() + 1 : to.column;
    }
  }
  const int origin = Margin() - left_;
  const int height = glyphs_.LineHeight();
  const COLORREF selectedText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  HBRUSH highlight = GetSysColorBrush(COLOR_HIGHLIGHT);

  std::wstring run;
  std::vector<INT> advances;
  int runX = 0;
  bool runStandIn = false;
  bool runSelected = false;
  const auto flush = [&] {
    if (run.empty()) return;
    SelectObject(dc, runStandIn ? glyphs_.StandIn() : glyphs_.Font());
    SetTextColor(dc, runSelected ? selectedText : text);
    ExtTextOutW(dc, origin + runX, y + glyphs_.Drop(runStandIn), 0, nullptr, run.data(),
                static_cast<UINT>(run.size()), advances.data());
    run.clear();
    advances.clear();
  };
  int x = 0;
  for (std::size_t i = start.column; i < end;) {
    const char32_t c = CharAt(line, i);
    const std::size_t units = c > 0xFFFF ? 2 : 1;
    const int width = glyphs_.Advance(c, x);
    if (origin + x >= paint.right) break;
    if (origin + x + width > paint.left) {
      const bool selected = i >= selFrom && i < selTo;
      const bool standIn = glyphs_.FromStandIn(c);
      const bool drawn = c >= 0x20 && c != 0x7F;
      if (!run.empty() && (selected != runSelected || standIn != runStandIn || !drawn)) flush();
      if (selected) {
        const RECT cell{origin + x, y, origin + x + width, y + height};
        FillRect(dc, &cell, highlight);
      }
      if (drawn) {
        if (run.empty()) {
          runX = x;
          runSelected = selected;
          runStandIn = standIn;
        }
        run.append(line, i, units);
        advances.push_back(width);
        if (units == 2) advances.push_back(0);
      }
    }
    x += width;
    i += units;
  }
  flush();
}

}  // namespace Quillo::Win32
