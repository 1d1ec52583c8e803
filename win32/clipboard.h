// The clipboard as Unicode text, for the window's platform, its text boxes
// and the tests. Another program may hold the clipboard for a moment: opening
// it is tried a few times.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace Quillo::Win32 {

// Puts `text` on the clipboard as CF_UNICODETEXT, taking it over for
// `owner`; false when the clipboard could not be had.
bool PutOnClipboard(HWND owner, std::wstring_view text);
// The clipboard's Unicode text, up to its terminating NUL (which a broken
// writer may have left out); empty when there is none.
std::wstring ClipboardText(HWND owner);

}  // namespace Quillo::Win32
