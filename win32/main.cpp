// quillo.exe: the calculator window.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "an_dh.h"
#include "platform.h"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*arguments*/, int show) {
  // For ShellExecuteW, which may hand the address to a COM server.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
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
  CoUninitialize();
  return static_cast<int>(message.wParam);
}
