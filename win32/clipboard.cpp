#include "clipboard.h"

#include <cstring>
#include <cwchar>

namespace Quillo::Win32 {
namespace {

bool Open(HWND owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

bool PutOnClipboard(HWND owner, std::wstring_view text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return false;
  auto* to = static_cast<wchar_t*>(GlobalLock(memory));
  if (to == nullptr || !Open(owner)) {
    if (to != nullptr) GlobalUnlock(memory);
    GlobalFree(memory);
    return false;
  }
  std::memcpy(to, text.data(), text.size() * sizeof(wchar_t));
  to[text.size()] = L'\0';
  GlobalUnlock(memory);
  // Taking the clipboard over is how a window puts its text there.
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!put) GlobalFree(memory);
  CloseClipboard();
  return put;
}

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (!Open(owner)) return text;
  if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* from = static_cast<const wchar_t*>(GlobalLock(memory))) {
      text.assign(from, wcsnlen(from, GlobalSize(memory) / sizeof(wchar_t)));
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace Quillo::Win32
