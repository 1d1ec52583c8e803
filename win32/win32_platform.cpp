#include "platform.h"

#include "clipboard.h"
#include "error_box.h"
#include "on_demand.h"
#include "windows/utf16.h"

namespace Quillo::Win32 {

using quillo_eval::ToUtf16;

void Win32Platform::ShowMessage(HWND owner, const std::vector<std::string>& lines,
                                std::string_view title) {
  ShowErrorBox(owner, lines, title);
}

void Win32Platform::SetClipboardText(HWND owner, std::string_view text) {
  PutOnClipboard(owner, ToUtf16(text));
}

// The address goes to the system as it stands: no command interpreter reads it.
bool Win32Platform::OpenUrl(std::string_view address) {
  const std::wstring wide = ToUtf16(address);
  return OnDemand::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL) > 32;
}

}  // namespace Quillo::Win32
