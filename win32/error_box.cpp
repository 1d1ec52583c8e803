#include "error_box.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "fonts.h"
#include "geometry.h"
#include "windows/utf16.h"

namespace Quillo::Win32 {
namespace {

using quillo_eval::ToUtf16;

// In 96-DPI pixels.
constexpr int kMargin = 16;
constexpr int kGap = 14;
constexpr int kMinimumWidth = 220;
constexpr int kTextWidth = 440;   // longer lines wrap
constexpr int kTextHeight = 320;  // a longer message scrolls
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
// A longer message is not measured: it fills the box's largest size and
// scrolls. The edit control lays a line out in time that grows with the
// square of its length (Wine's, at least), so a long line is shown broken
// into pieces of kPieceLength: a message quoting a huge name is shown whole.
constexpr std::size_t kMeasuredLength = 4000;
constexpr std::size_t kPieceLength = 100;

// The message with its lines broken into pieces (never inside a surrogate pair).
std::wstring InPieces(const std::wstring& message) {
  std::wstring shown;
  std::size_t column = 0;
  for (const wchar_t c : message) {
    if (c == L'\r' || c == L'\n') {
      column = 0;
    } else {
      const bool lowSurrogate = c >= 0xDC00 && c <= 0xDFFF;
      if (column >= kPieceLength && !lowSurrogate) {
        shown += L"\r\n";
        column = 0;
      }
      ++column;
    }
    shown += c;
  }
  return shown;
}

// The box's font: the window's Song face, a little larger than the list's.
constexpr Form::Font kBoxFont{"宋体", 10.5, false};

struct Box {
  std::wstring message;
  std::wstring title;
  HWND owner;
  HFONT font = nullptr;
};

SIZE MessageSize(HWND dialog, HFONT font, const std::wstring& message, UINT dpi) {
  if (message.size() > kMeasuredLength) return {Scale(kTextWidth, dpi), Scale(kTextHeight, dpi) + 1};
  HDC dc = GetDC(dialog);
  HGDIOBJ previous = SelectObject(dc, font);
  RECT bounds{0, 0, Scale(kTextWidth, dpi), 0};
  DrawTextW(dc, message.c_str(), static_cast<int>(message.size()), &bounds,
            DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS);
  SelectObject(dc, previous);
  ReleaseDC(dialog, dc);
  return {Width(bounds), Height(bounds)};
}

void Layout(HWND dialog, Box& box) {
  const UINT dpi = GetDpiForWindow(dialog);
  box.font = MakeFont(kBoxFont, dpi);
  SIZE text = MessageSize(dialog, box.font, box.message, dpi);
  const bool scrolls = text.cy > Scale(kTextHeight, dpi);
  const bool unbroken = box.message.size() > kMeasuredLength;
  if (unbroken) box.message = InPieces(box.message);
  const int scrollBar = scrolls ? GetSystemMetricsForDpi(SM_CXVSCROLL, dpi) : 0;
  text.cy = std::min<LONG>(text.cy, Scale(kTextHeight, dpi));
  const int margin = Scale(kMargin, dpi);
  const int clientWidth =
      std::max<int>(text.cx + scrollBar, Scale(kMinimumWidth, dpi)) + 2 * margin;
  const int buttonTop = margin + text.cy + Scale(kGap, dpi);
  const int clientHeight = buttonTop + Scale(kButtonHeight, dpi) + margin;

  // The message as a read-only box: it can be selected and copied, and a
  // long one scrolls.
  HWND message = CreateWindowExW(
      0, WC_EDITW, box.message.c_str(),
      WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | (scrolls ? WS_VSCROLL : 0),
      margin, margin, text.cx + scrollBar + Scale(4, dpi), text.cy, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kErrorBoxMessageId)), nullptr, nullptr);
  SendMessageW(message, EM_SETLIMITTEXT, 0, 0);
  SendMessageW(message, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  const std::wstring caption = ToUtf16(kErrorBoxButton);
  HWND button = CreateWindowExW(
      0, WC_BUTTONW, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
      (clientWidth - Scale(kButtonWidth, dpi)) / 2, buttonTop, Scale(kButtonWidth, dpi),
      Scale(kButtonHeight, dpi), dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)),
      nullptr, nullptr);
  for (HWND control : {message, button}) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(box.font), FALSE);
  }

  // Centred over the owner.
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
  const DWORD extended = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectExForDpi(&frame, style, FALSE, extended, dpi);
  RECT over{};
  if (box.owner == nullptr || !GetWindowRect(box.owner, &over)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
  }
  SetWindowPos(dialog, nullptr, over.left + (Width(over) - Width(frame)) / 2,
               over.top + (Height(over) - Height(frame)) / 2, Width(frame), Height(frame),
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetFocus(button);
}

INT_PTR CALLBACK BoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto& box = *reinterpret_cast<Box*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      SetWindowTextW(dialog, box.title.c_str());
      Layout(dialog, box);
      return FALSE;  // the focus is on the button
    }
    case WM_CTLCOLORSTATIC:  // the read-only message on the box's own background
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void ShowErrorBox(HWND owner, const std::vector<std::string>& lines, std::string_view title) {
  Box box;
  box.owner = owner;
  box.title = ToUtf16(title);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) box.message += L"\r\n";
    box.message += ToUtf16(lines[i]);
  }
  // A template without controls: the box makes them at its DPI.
  struct alignas(DWORD) {
    DLGTEMPLATE dialog;
    std::array<WORD, 3> noMenuClassTitle;
  } layout{};
  layout.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  layout.dialog.dwExtendedStyle = WS_EX_DLGMODALFRAME;
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &layout.dialog, owner, BoxProc,
                          reinterpret_cast<LPARAM>(&box));
  if (box.font != nullptr) DeleteObject(box.font);
}

}  // namespace Quillo::Win32
