#include "text/text_box.h"

#include <windows.h>

#include <imm.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "text/glyphs.h"
#include "text/text_lines.h"
#include "text/text_rows.h"

namespace Quillo::Win32 {
namespace {

constexpr wchar_t kClassName[] = L"Quillo.TextBox";

// The context menu's commands, as Windows' own edit control has them.
enum MenuCommand : UINT { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };

// While a drag selection is held beyond the box.
constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kDragInterval = 50;  // milliseconds

bool KeyDown(int key) { return GetKeyState(key) < 0; }

// How many offset units `text` takes once in a box: a line break is two.
std::size_t OffsetLength(std::wstring_view text) {
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    length += text[i] == L'\r' || text[i] == L'\n' ? 2 : 1;
  }
  return length;
}

class Box {
public:
  explicit Box(HWND hwnd) : hwnd_(hwnd) { glyphs_.SetFont(nullptr); }
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
  bool composing_ = false;  // an input method is composing at the caret
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

void Box::Layout() {
  rows_.Reset(text_, glyphs_, Wraps() ? TextWidth() : 0);
  top_ = std::min(top_, rows_.Count() - 1);
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, FALSE);
  PlaceCaret();
}

void Box::SetText(std::wstring_view text) {
  text_ = TextLines();
  text_.Replace({}, {}, text);
  anchor_ = caret_ = {};
  top_ = 0;
  left_ = 0;
  goalX_ = -1;
  undo_ = {};
  rows_.Reset(text_, glyphs_, Wraps() ? TextWidth() : 0);
  Changed();
}

void Box::Replace(TextPos from, TextPos to, std::wstring_view text, bool typing, bool undoable) {
  from = text_.Clamp(from);
  to = text_.Clamp(to);
  if (to < from) std::swap(from, to);
  if (undoable) {
    const std::size_t at = text_.OffsetOf(from);
    const std::size_t inserted = OffsetLength(text);
    if (typing && from == to && undo_.valid && undo_.typing && undo_.at + undo_.inserted == at) {
      undo_.inserted += inserted;
    } else {
      undo_ = {true, typing, at, inserted, text_.Text(from, to)};
    }
  }
  const TextPos end = text_.Replace(from, to, text);
  rows_.Update(text_, glyphs_, from.line, to.line - from.line + 1, end.line - from.line + 1, from == to);
  anchor_ = caret_ = end;
  goalX_ = -1;
  Changed();
}

bool Box::Undo() {
  if (!undo_.valid) return false;
  const UndoStep step = undo_;
  const TextPos from = text_.PosOf(step.at);
  const TextPos to = text_.PosOf(step.at + step.inserted);
  std::wstring now = text_.Text(from, to);
  Replace(from, to, step.removed, false, false);
  undo_ = {true, false, step.at, OffsetLength(step.removed), std::move(now)};
  return true;
}

void Box::Copy() const {
  if (!HasSelection() || !OpenClipboard(hwnd_)) return;
  const std::wstring text = text_.Text(SelStart(), SelEnd());
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
    if (void* to = GlobalLock(memory)) {
      std::memcpy(to, text.c_str(), bytes);
      GlobalUnlock(memory);
      if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
    } else {
      GlobalFree(memory);
    }
  }
  CloseClipboard();
}

void Box::Cut() {
  if (ReadOnly() || !HasSelection()) return;
  Copy();
  ReplaceSelection(L"");
}

void Box::Paste() {
  if (ReadOnly() || !OpenClipboard(hwnd_)) return;
  std::wstring text;
  if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* from = static_cast<const wchar_t*>(GlobalLock(memory))) {
      // Up to the terminating NUL, which a broken writer may have left out.
      text.assign(from, wcsnlen(from, GlobalSize(memory) / sizeof(wchar_t)));
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  ReplaceSelection(text);
}

void Box::MoveCaret(TextPos to, bool extend, bool keepGoal) {
  const bool hadSelection = HasSelection();
  caret_ = text_.Clamp(to);
  if (!extend) anchor_ = caret_;
  if (!keepGoal) goalX_ = -1;
  if (hadSelection || HasSelection()) InvalidateRect(hwnd_, nullptr, FALSE);
  ScrollToCaret();
}

void Box::Select(TextPos anchor, TextPos caret) {
  anchor_ = text_.Clamp(anchor);
  caret_ = text_.Clamp(caret);
  goalX_ = -1;
  InvalidateRect(hwnd_, nullptr, FALSE);
  PlaceCaret();
}

TextPos Box::Hit(int x, int y) const {
  const auto rowHeight = static_cast<std::ptrdiff_t>(glyphs_.LineHeight());
  std::ptrdiff_t row = static_cast<std::ptrdiff_t>(top_) + (y >= 0 ? y / rowHeight : (y - rowHeight + 1) / rowHeight);
  row = std::clamp<std::ptrdiff_t>(row, 0, static_cast<std::ptrdiff_t>(rows_.Count()) - 1);
  return rows_.At(text_, glyphs_, static_cast<std::size_t>(row), x - Margin() + left_);
}

// The last place on a row: where a wrapped row ends is the next one's start.
TextPos Box::RowEnd(std::size_t row) const {
  const TextPos start = rows_.Start(row);
  const std::size_t end = rows_.End(text_, row);
  if (end < text_.Line(start.line).size() && end > start.column) return text_.Previous({start.line, end});
  return {start.line, end};
}

void Box::OnKey(WPARAM key) {
  const bool shift = KeyDown(VK_SHIFT);
  const bool control = KeyDown(VK_CONTROL);
  const std::size_t row = rows_.RowOf(caret_);
  const auto vertical = [&](std::ptrdiff_t by) {
    if (goalX_ < 0) goalX_ = rows_.X(text_, glyphs_, caret_);
    const auto last = static_cast<std::ptrdiff_t>(rows_.Count()) - 1;
    const auto to = static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(row) + by, 0, last));
    MoveCaret(rows_.At(text_, glyphs_, to, goalX_), shift, true);
  };
  const auto page = static_cast<std::ptrdiff_t>(std::max<std::size_t>(1, VisibleRows() - 1));
  switch (key) {
    case VK_LEFT:
      MoveCaret(HasSelection() && !shift ? SelStart()
                : control               ? text_.PreviousWord(caret_)
                                        : text_.Previous(caret_),
                shift);
      return;
    case VK_RIGHT:
      MoveCaret(HasSelection() && !shift ? SelEnd() : control ? text_.NextWord(caret_) : text_.Next(caret_), shift);
      return;
    case VK_UP: vertical(-1); return;
    case VK_DOWN: vertical(1); return;
    case VK_PRIOR:
      ScrollTo(static_cast<std::ptrdiff_t>(top_) - page, left_);
      vertical(-page);
      return;
    case VK_NEXT:
      ScrollTo(static_cast<std::ptrdiff_t>(top_) + page, left_);
      vertical(page);
      return;
    case VK_HOME: MoveCaret(control ? TextPos{} : rows_.Start(row), shift); return;
    case VK_END: MoveCaret(control ? text_.End() : RowEnd(row), shift); return;
    case VK_DELETE:
      if (shift) {
        Cut();
      } else if (!ReadOnly()) {
        HasSelection() ? ReplaceSelection(L"") : Replace(caret_, text_.Next(caret_), L"", false, true);
      }
      return;
    case VK_INSERT:
      if (control) Copy();
      if (shift) Paste();
      return;
    default:
      return;
  }
}

void Box::OnChar(wchar_t character) {
  switch (character) {
    case 0x01: Select({}, text_.End()); return;  // Ctrl+A
    case 0x03: Copy(); return;                    // Ctrl+C
    case 0x16: Paste(); return;                   // Ctrl+V
    case 0x18: Cut(); return;                     // Ctrl+X
    case 0x1A:                                    // Ctrl+Z
      if (!ReadOnly()) Undo();
      return;
    default: break;
  }
  if (ReadOnly()) return;
  if (character == L'\b') {
    if (HasSelection()) {
      ReplaceSelection(L"");
    } else if (caret_ != TextPos{}) {
      Replace(text_.Previous(caret_), caret_, L"", false, true);
    }
  } else if (character == L'\r') {
    ReplaceSelection(L"\r\n");
  } else if (character >= 0x20 && character != 0x7F) {
    ReplaceSelection(std::wstring_view(&character, 1), true);
  }
}

void Box::ScrollTo(std::ptrdiff_t top, int left) {
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
void Box::ScrollToCaret() {
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

void Box::OnScroll(int bar, int request) {
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

void Box::UpdateScrollBars() {
  const DWORD style = Style();
  if ((style & WS_VSCROLL) != 0) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMax = static_cast<int>(rows_.Count()) - 1;
    info.nPage = static_cast<UINT>(VisibleRows());
    info.nPos = static_cast<int>(top_);
    SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
  }
  if ((style & WS_HSCROLL) != 0) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMax = Wraps() ? 0 : rows_.Widest(text_, glyphs_) + 2 * Margin() - 1;
    info.nPage = static_cast<UINT>(Client().right);
    info.nPos = left_;
    SetScrollInfo(hwnd_, SB_HORZ, &info, TRUE);
  }
}

void Box::PlaceCaret() {
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
void Box::Changed() {
  UpdateScrollBars();
  ScrollToCaret();
  InvalidateRect(hwnd_, nullptr, FALSE);
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
}

void Box::ContextMenu(LPARAM at) {
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {  // from the keyboard: at the caret
    GetCaretPos(&point);
    point.y += glyphs_.LineHeight();
    ClientToScreen(hwnd_, &point);
  }
  if (!focused_) SetFocus(hwnd_);
  const bool editable = !ReadOnly();
  const bool all = SelStart() == TextPos{} && SelEnd() == text_.End();
  HMENU menu = CreatePopupMenu();
  const auto add = [menu](UINT id, const wchar_t* text, bool enabled) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, text);
  };
  add(kUndo, L"撤消(&U)", editable && undo_.valid);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(kCut, L"剪切(&T)", editable && HasSelection());
  add(kCopy, L"复制(&C)", HasSelection());
  add(kPaste, L"粘贴(&P)", editable && IsClipboardFormatAvailable(CF_UNICODETEXT));
  add(kDelete, L"删除(&D)", editable && HasSelection());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(kSelectAll, L"全选(&A)", !text_.Empty() && !all);
  const UINT command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, hwnd_, nullptr);
  DestroyMenu(menu);
  switch (command) {
    case kUndo:
      if (!ReadOnly()) Undo();
      break;
    case kCut: Cut(); break;
    case kCopy: Copy(); break;
    case kPaste: Paste(); break;
    case kDelete: ReplaceSelection(L""); break;
    case kSelectAll: Select({}, text_.End()); break;
    default: break;
  }
}

HBRUSH Box::Colours(HDC dc) const {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  HWND parent = GetParent(hwnd_);
  const UINT message = ReadOnly() ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  auto brush = reinterpret_cast<HBRUSH>(
      parent != nullptr ? SendMessageW(parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd_)) : 0);
  return brush != nullptr ? brush : GetSysColorBrush(COLOR_WINDOW);
}

// Everything is drawn off screen and copied in one piece: no flicker.
void Box::Paint() {
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
void Box::DrawRow(HDC dc, std::size_t row, int y, const RECT& paint, COLORREF text) const {
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

LRESULT Box::LineIndex(WPARAM row) const {
  const std::size_t which = static_cast<int>(row) == -1 ? rows_.RowOf(caret_) : row;
  if (which >= rows_.Count()) return -1;
  return static_cast<LRESULT>(text_.OffsetOf(rows_.Start(which)));
}

LRESULT Box::GetLine(WPARAM row, LPARAM buffer) const {
  if (row >= rows_.Count() || buffer == 0) return 0;
  auto* to = reinterpret_cast<wchar_t*>(buffer);
  const std::size_t room = *reinterpret_cast<const WORD*>(to);
  const TextPos start = rows_.Start(row);
  const std::wstring& line = text_.Line(start.line);
  const std::size_t count = std::min(room, rows_.End(text_, row) - start.column);
  line.copy(to, count, start.column);
  return static_cast<LRESULT>(count);
}

LRESULT Box::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_SETFONT:
      glyphs_.SetFont(reinterpret_cast<HFONT>(wParam));
      margin_ = std::max(1, glyphs_.Advance(U'0', 0) / 2);
      if (focused_) {
        DestroyCaret();
        CreateCaret(hwnd_, nullptr, 1, glyphs_.LineHeight());
        ::ShowCaret(hwnd_);
      }
      Layout();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(glyphs_.Font());
    case WM_SETFOCUS:
      focused_ = true;
      CreateCaret(hwnd_, nullptr, 1, glyphs_.LineHeight());
      PlaceCaret();
      ::ShowCaret(hwnd_);
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      dragging_ = false;
      DestroyCaret();
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      OnKey(wParam);
      return 0;
    case WM_CHAR:
      OnChar(static_cast<wchar_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      if (!focused_) SetFocus(hwnd_);
      MoveCaret(Hit(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), (wParam & MK_SHIFT) != 0);
      dragging_ = true;
      SetCapture(hwnd_);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_ && GetCapture() == hwnd_) {
        MoveCaret(Hit(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)), true);
        // Held beyond the box, the selection goes on growing as the box
        // scrolls.
        const RECT client = Client();
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (!PtInRect(&client, at)) SetTimer(hwnd_, kDragTimer, kDragInterval, nullptr);
      }
      return 0;
    case WM_TIMER:
      if (wParam == kDragTimer) {
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(hwnd_, &at);
        const RECT client = Client();
        if (!dragging_ || PtInRect(&client, at)) {
          KillTimer(hwnd_, kDragTimer);
        } else {
          MoveCaret(Hit(at.x, at.y), true);
        }
      }
      return 0;
    case WM_LBUTTONUP:
      dragging_ = false;
      if (GetCapture() == hwnd_) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      dragging_ = false;
      KillTimer(hwnd_, kDragTimer);
      return 0;
    case WM_LBUTTONDBLCLK: {
      if (!focused_) SetFocus(hwnd_);
      const auto [from, to] = text_.WordAround(Hit(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
      Select(from, to);
      ScrollToCaret();
      return 0;
    }
    case WM_MOUSEWHEEL: {
      UINT perNotch = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
      wheel_ += GET_WHEEL_DELTA_WPARAM(wParam);
      const int notches = wheel_ / WHEEL_DELTA;
      wheel_ %= WHEEL_DELTA;
      const std::ptrdiff_t rows = perNotch == WHEEL_PAGESCROLL ? static_cast<std::ptrdiff_t>(VisibleRows())
                                                              : static_cast<std::ptrdiff_t>(perNotch);
      ScrollTo(static_cast<std::ptrdiff_t>(top_) - notches * rows, left_);
      return 0;
    }
    case WM_MOUSEHWHEEL:
      if (!Wraps()) ScrollTo(static_cast<std::ptrdiff_t>(top_), left_ + GET_WHEEL_DELTA_WPARAM(wParam) * TextWidth() / 4 / WHEEL_DELTA);
      return 0;
    case WM_VSCROLL:
      OnScroll(SB_VERT, LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, LOWORD(wParam));
      return 0;
    case WM_CONTEXTMENU:
      ContextMenu(lParam);
      return 0;
    case WM_IME_ENDCOMPOSITION:
      composing_ = false;
      break;
    case WM_IME_STARTCOMPOSITION:
      composing_ = true;
      if (HIMC context = ImmGetContext(hwnd_)) {
        LOGFONTW font{};
        GetObjectW(glyphs_.Font(), sizeof font, &font);
        ImmSetCompositionFontW(context, &font);
        ImmReleaseContext(hwnd_, context);
      }
      PlaceCaret();
      break;

    // The edit control's messages.
    case WM_SETTEXT:
      SetText(lParam != 0 ? std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) : std::wstring_view());
      return TRUE;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(text_.Length());
    case WM_GETTEXT: {
      if (wParam == 0 || lParam == 0) return 0;
      const std::wstring text = text_.Text();
      const std::size_t count = std::min<std::size_t>(text.size(), wParam - 1);
      auto* to = reinterpret_cast<wchar_t*>(lParam);
      text.copy(to, count);
      to[count] = L'\0';
      return static_cast<LRESULT>(count);
    }
    case EM_GETSEL: {
      const auto start = static_cast<DWORD>(text_.OffsetOf(SelStart()));
      const auto end = static_cast<DWORD>(text_.OffsetOf(SelEnd()));
      if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = start;
      if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = end;
      return MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL: {
      const auto start = static_cast<int>(wParam);
      const auto end = static_cast<int>(lParam);
      if (start == -1) {
        Select(caret_, caret_);
      } else {
        const std::size_t length = text_.Length();
        const std::size_t to = end < 0 ? length : std::min<std::size_t>(static_cast<std::size_t>(end), length);
        Select(text_.PosOf(std::min<std::size_t>(static_cast<std::size_t>(start), length)), text_.PosOf(to));
      }
      return 0;
    }
    case EM_REPLACESEL:
      ReplaceSelection(lParam != 0 ? std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) : std::wstring_view());
      if (wParam == 0) undo_ = {};
      return 0;
    case EM_SCROLLCARET:
      ScrollToCaret();
      return TRUE;
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(rows_.Count());
    case EM_GETFIRSTVISIBLELINE:
      return static_cast<LRESULT>(top_);
    case EM_LINEINDEX:
      return LineIndex(wParam);
    case EM_LINEFROMCHAR: {
      const TextPos at = static_cast<int>(wParam) == -1 ? SelStart() : text_.PosOf(wParam);
      return static_cast<LRESULT>(rows_.RowOf(at));
    }
    case EM_LINELENGTH: {
      const std::size_t row = static_cast<int>(wParam) == -1 ? rows_.RowOf(caret_) : rows_.RowOf(text_.PosOf(wParam));
      return static_cast<LRESULT>(rows_.End(text_, row) - rows_.Start(row).column);
    }
    case EM_GETLINE:
      return GetLine(wParam, lParam);
    case EM_POSFROMCHAR: {
      if (wParam > text_.Length()) return -1;
      const TextPos at = text_.PosOf(wParam);
      const auto row = static_cast<std::ptrdiff_t>(rows_.RowOf(at)) - static_cast<std::ptrdiff_t>(top_);
      const int x = Margin() - left_ + rows_.X(text_, glyphs_, at);
      return MAKELRESULT(static_cast<WORD>(static_cast<short>(x)),
                         static_cast<WORD>(static_cast<short>(row * glyphs_.LineHeight())));
    }
    case EM_CHARFROMPOS: {
      const TextPos at = Hit(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return MAKELRESULT(static_cast<WORD>(text_.OffsetOf(at)), static_cast<WORD>(rows_.RowOf(at)));
    }
    case EM_SETREADONLY:
      SetWindowLongPtrW(hwnd_, GWL_STYLE,
                        static_cast<LONG_PTR>(wParam != 0 ? Style() | ES_READONLY : Style() & ~ES_READONLY));
      InvalidateRect(hwnd_, nullptr, FALSE);
      return TRUE;
    case EM_CANUNDO:
      return undo_.valid ? TRUE : FALSE;
    case EM_UNDO:
    case WM_UNDO:
      return Undo() ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
      undo_ = {};
      return 0;
    case EM_SETLIMITTEXT:
      return 0;
    case WM_CUT:
      Cut();
      return 0;
    case WM_COPY:
      Copy();
      return 0;
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CLEAR:
      if (!ReadOnly() && HasSelection()) ReplaceSelection(L"");
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<Box*>(GetWindowLongPtrW(hwnd, 0));
  if (message == WM_NCCREATE) {
    box = new Box(hwnd);
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(box));
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, 0, 0);
    delete box;
    box = nullptr;
  }
  return box != nullptr ? box->OnMessage(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

const wchar_t* TextBoxClass() {
  static const ATOM registered = [] {
    WNDCLASSEXW boxClass{};
    boxClass.cbSize = sizeof boxClass;
    boxClass.style = CS_DBLCLKS;
    boxClass.lpfnWndProc = BoxProc;
    boxClass.cbWndExtra = sizeof(Box*);
    boxClass.hInstance = GetModuleHandleW(nullptr);
    boxClass.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    boxClass.lpszClassName = kClassName;
    return RegisterClassExW(&boxClass);
  }();
  (void)registered;
  return kClassName;
}

}  // namespace Quillo::Win32
