// What assistive technology reads of a control: the standard accessible
// object Windows makes for it, with the form's Chinese name and description,
// and for the labels that act, their role and default action. The window
// hands it out for WM_GETOBJECT (OBJID_CLIENT), so that it is the same on
// every Windows (and under Wine).
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace Quillo::Win32 {

struct AccessibleLook {
  std::wstring name;
  std::wstring description;
  LONG role = 0;             // 0: the standard object's
  bool hidden = false;       // not shown to assistive technology
  bool text = false;         // a text box: its text is its value
  std::wstring actionName;   // none: the standard object's default action
  UINT actionMessage = 0;    // posted to the window for the default action
  WPARAM actionParameter = 0;
};

// The answer to WM_GETOBJECT for the client object of `control`.
LRESULT AccessibleAnswer(HWND control, WPARAM wParam, HWND window, const AccessibleLook& look);

}  // namespace Quillo::Win32
