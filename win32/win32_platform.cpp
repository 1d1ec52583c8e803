#include "platform.h"

#include <cstring>

#include "error_box.h"
#include "on_demand.h"
#include "windows/utf16.h"

namespace Quillo::Win32 {

using quillo_eval::ToUtf16;

void Win32Platform::ShowMessage(HWND owner, const std::vector<std::string>& lines,
                                std::string_view title) {
  ShowErrorBox(owner, lines, title);
}

// Another program may hold the clipboard for a moment: a few tries.
void Win32Platform::SetClipboardText(HWND owner, std::string_view text) {
  const std::wstring wide = ToUtf16(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return;
  void* target = GlobalLock(memory);
  std::memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(memory);
  bool opened = false;
  for (int attempt = 0; attempt < 10 && !opened; ++attempt) {
    opened = OpenClipboard(owner) != FALSE;
    if (!opened) Sleep(10);
  }
  if (!opened) {
    GlobalFree(memory);
    return;
  }
  // Taking the clipboard over is how a window puts its text there.
  EmptyClipboard();
  if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
  CloseClipboard();
}

// The address goes to the system as it stands: no command interpreter reads it.
bool Win32Platform::OpenUrl(std::string_view address) {
  const std::wstring wide = ToUtf16(address);
  return OnDemand::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL) > 32;
}

}  // namespace Quillo::Win32
