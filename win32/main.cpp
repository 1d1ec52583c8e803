// quillo.exe: the calculator window.
#include <windows.h>
#include <commctrl.h>

#include "an_dh.h"
#include "on_demand.h"
#include "platform.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*arguments*/, int show) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  Quillo::Win32::Win32Platform platform;
  Quillo::Win32::AN_DH window(platform);
  window.Show(show);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // COM, if the link or a screen reader needed it.
  Quillo::Win32::OnDemand::ReleaseCom();
  return static_cast<int>(message.wParam);
}
