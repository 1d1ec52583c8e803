#include "text/text_box.h"

#include <windows.h>

#include <imm.h>
#include <windowsx.h>

#include <algorithm>

#include "text/text_box_window.h"

namespace Quillo::Win32 {
namespace {

constexpr wchar_t kClassName[] = L"Quillo.TextBox";

// While a drag selection is held beyond the box.
constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kDragInterval = 50;  // milliseconds

LRESULT CALLBACK BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = reinterpret_cast<TextBoxWindow*>(GetWindowLongPtrW(hwnd, 0));
  if (message == WM_NCCREATE) {
    box = new TextBoxWindow(hwnd);
    SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(box));
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, 0, 0);
    delete box;
    box = nullptr;
  }
  return box != nullptr ? box->OnMessage(message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT TextBoxWindow::LineIndex(WPARAM row) const {
  const std::size_t which = static_cast<int>(row) == -1 ? rows_.RowOf(caret_) : row;
  if (which >= rows_.Count()) return -1;
  return static_cast<LRESULT>(text_.OffsetOf(rows_.Start(which)));
}

LRESULT TextBoxWindow::GetLine(WPARAM row, LPARAM buffer) const {
  if (row >= rows_.Count() || buffer == 0) return 0;
  auto* to = reinterpret_cast<wchar_t*>(buffer);
  const std::size_t room = *reinterpret_cast<const WORD*>(to);
  const TextPos start = rows_.Start(row);
  const std::wstring& line = text_.Line(start.line);
  const std::size_t count = std::min(room, rows_.End(text_, row) - start.column);
  line.copy(to, count, start.column);
  return static_cast<LRESULT>(count);
}

LRESULT TextBoxWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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


const wchar_t* TextBoxClass() {
  static const ATOM registered = [] {
    WNDCLASSEXW boxClass{};
    boxClass.cbSize = sizeof boxClass;
    boxClass.style = CS_DBLCLKS;
    boxClass.lpfnWndProc = BoxProc;
    boxClass.cbWndExtra = sizeof(TextBoxWindow*);
    boxClass.hInstance = GetModuleHandleW(nullptr);
    boxClass.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
    boxClass.lpszClassName = kClassName;
    return RegisterClassExW(&boxClass);
  }();
  (void)registered;
  return kClassName;
}

}  // namespace Quillo::Win32
