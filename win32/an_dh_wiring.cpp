// Where Windows' messages reach the window's handlers: the window's own
// procedure and the one its controls are subclassed with.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <array>

#include "an_dh.h"
#include "geometry.h"

namespace Quillo::Win32 {
namespace {

bool IsPress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    // The second press of a double-click comes as a double-click.
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

bool IsRelease(UINT message) {
  return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

}  // namespace

LRESULT CALLBACK AN_DH::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<AN_DH*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<AN_DH*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->OnMessage(message, wParam, lParam);
}

LRESULT AN_DH::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_DRAWITEM:
      DrawLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (LRESULT brush = ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
        return brush;
      }
      break;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == ui.FunList.hwnd && HIWORD(wParam) == LBN_DBLCLK) {
        FunList_DblClick();
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // The focus goes back where it was when the window is activated again.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && GetParent(focus) == hwnd_) focus_ = focus;
      } else {
        SetFocus(focus_ != nullptr && IsWindow(focus_) ? focus_ : ui.TB.hwnd);
      }
      return 0;
    case WM_DPICHANGED: {
      SetDpi(HIWORD(wParam));
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, Width(suggested),
                   Height(suggested), SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case kAccessibleAction:
      DoAccessibleAction(wParam);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);  // closing the window ends the program
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK AN_DH::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR /*id*/, DWORD_PTR self) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, ControlProc, 1);
    return DefSubclassProc(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  if (reinterpret_cast<AN_DH*>(self)->OnControlMessage(hwnd, message, wParam, lParam, result)) {
    return result;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

bool AN_DH::OnControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result) {
  result = 0;
  if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
    result = AccessibleObject(control, wParam);
    return result != 0;
  }
  // Tab and Shift+Tab go round the controls in the form's order.
  if (message == WM_KEYDOWN && wParam == VK_TAB) {
    FocusNext(control, ShiftDown());
    return true;
  }
  if (message == WM_CHAR && wParam == '\t') return true;
  const bool isBox = control == ui.TB.hwnd || control == ui.JG.hwnd || control == ui.TJ.hwnd;
  if (isBox && message == WM_CHAR && wParam == 1) {  // Ctrl+A
    SendMessageW(control, EM_SETSEL, 0, -1);
    return true;
  }

  if (control == ui.TB.hwnd && message == WM_CHAR) {
    // Enter comes as CR, Ctrl+Enter as LF: both are Enter to the handler.
    int keyAscii = wParam == '\r' || wParam == '\n' ? kKeyEnter : static_cast<int>(wParam);
    TB_KeyPress(keyAscii);
    if (keyAscii == 0) return true;  // a code of 0 discards the keystroke
    result = DefSubclassProc(control, message, static_cast<WPARAM>(keyAscii), lParam);
    return true;
  }
  if (control == ui.JG.hwnd && message == WM_LBUTTONDBLCLK) {
    JG_DblClick();
    return false;  // the box still selects the word under the pointer
  }
  if (control == ui.FunList.hwnd) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
      // Tabbing into the list leaves its first entry current but not
      // selected: Enter then means that entry.
      if (ui.FunList.Selected() < 0 && ui.FunList.Count() > 0) ui.FunList.Select(ui.FunList.Caret());
      FunList_DblClick();
      return true;
    }
    return message == WM_CHAR && wParam == '\r';
  }

  const bool equals = control == ui.AN_DH.hwnd;
  if (!equals && control != ui.Label2.hwnd) return false;
  const auto press = [&] {
    pressed_ = control;
    equals ? AN_DH_MouseDown() : Label2_MouseDown();
  };
  const auto release = [&] {
    pressed_ = nullptr;  // before the capture goes: its loss is no release
    if (GetCapture() == control) ReleaseCapture();
    equals ? AN_DH_MouseUp() : Label2_MouseUp();
  };
  // The label that took the press takes its release, wherever the pointer is.
  if (IsPress(message)) {
    if (pressed_ == nullptr) {
      SetCapture(control);
      press();
    }
    return true;
  }
  if (IsRelease(message)) {
    if (pressed_ == control) release();
    return true;
  }
  if (message == WM_CAPTURECHANGED && pressed_ == control) {
    // The press was taken away (another window took the mouse): back at
    // rest without acting.
    pressed_ = nullptr;
    Label& label = equals ? ui.AN_DH : ui.Label2;
    if (equals) {
      label.SetBold(true);
    } else {
      label.top = Form::kLabel2.place.top;
    }
    PlaceLabel(label);
    return true;
  }
  // From the keyboard: Space presses and releases, Enter clicks.
  if (message == WM_KEYDOWN && wParam == VK_SPACE) {
    if ((lParam & (1 << 30)) == 0 && pressed_ == nullptr) press();
    return true;
  }
  if (message == WM_KEYUP && wParam == VK_SPACE) {
    if (pressed_ == control) release();
    return true;
  }
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    if (pressed_ == nullptr) {
      press();
      release();
    }
    return true;
  }
  return message == WM_CHAR && (wParam == ' ' || wParam == '\r');
}

// The controls that take the focus, in the form's tab order.
void AN_DH::FocusNext(HWND from, bool backwards) {
  std::array<std::pair<int, HWND>, 6> order = {{{Form::kTB.tab_index, ui.TB.hwnd},
                                                {Form::kJG.tab_index, ui.JG.hwnd},
                                                {Form::kTJ.tab_index, ui.TJ.hwnd},
                                                {Form::kAN_DH.tab_index, ui.AN_DH.hwnd},
                                                {Form::kFunList.tab_index, ui.FunList.hwnd},
                                                {Form::kLabel2.tab_index, ui.Label2.hwnd}}};
  std::sort(order.begin(), order.end());
  const auto here = std::find_if(order.begin(), order.end(), [from](auto& entry) { return entry.second == from; });
  std::size_t index = here == order.end() ? 0 : static_cast<std::size_t>(here - order.begin());
  index = backwards ? (index + order.size() - 1) % order.size() : (index + 1) % order.size();
  SetFocus(order[index].second);
}

}  // namespace Quillo::Win32
