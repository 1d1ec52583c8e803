#include <windows.h>

#include <windowsx.h>

#include <algorithm>

#include "clipboard.h"
#include "text/text_box_window.h"

namespace Quillo::Win32 {
namespace {

// The context menu's commands, as Windows' own edit control has them.
enum MenuCommand : UINT { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };

bool KeyDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

void TextBoxWindow::Layout() {
  rows_.Reset(text_, glyphs_, Wraps() ? TextWidth() : 0);
  top_ = std::min(top_, rows_.Count() - 1);
  UpdateScrollBars();
  InvalidateRect(hwnd_, nullptr, FALSE);
  PlaceCaret();
}

void TextBoxWindow::SetText(std::wstring_view text) {
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

void TextBoxWindow::Replace(TextPos from, TextPos to, std::wstring_view text, bool typing, bool undoable) {
  from = text_.Clamp(from);
  to = text_.Clamp(to);
  if (to < from) std::swap(from, to);
  if (undoable) {
    const std::size_t at = text_.OffsetOf(from);
    const std::size_t inserted = TextLines::OffsetLength(text);
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

bool TextBoxWindow::Undo() {
  if (!undo_.valid) return false;
  const UndoStep step = undo_;
  const TextPos from = text_.PosOf(step.at);
  const TextPos to = text_.PosOf(step.at + step.inserted);
  std::wstring now = text_.Text(from, to);
  Replace(from, to, step.removed, false, false);
  undo_ = {true, false, step.at, TextLines::OffsetLength(step.removed), std::move(now)};
  return true;
}

void TextBoxWindow::Copy() const {
  if (HasSelection()) PutOnClipboard(hwnd_, text_.Text(SelStart(), SelEnd()));
}

void TextBoxWindow::Cut() {
  if (ReadOnly() || !HasSelection()) return;
  Copy();
  ReplaceSelection(L"");
}

void TextBoxWindow::Paste() {
  if (!ReadOnly()) ReplaceSelection(ClipboardText(hwnd_));
}

void TextBoxWindow::OnKey(WPARAM key) {
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

void TextBoxWindow::OnChar(wchar_t character) {
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

void TextBoxWindow::ContextMenu(LPARAM at) {
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

}  // namespace Quillo::Win32
