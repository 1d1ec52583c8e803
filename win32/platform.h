// What the window needs from the desktop: the modal error box, the clipboard
// and the web browser. quillo.exe passes in Win32Platform; the window suite
// passes in a recorder, so every handler runs without a box or a browser.
// Texts are UTF-8, as the form gives them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace Quillo::Win32 {

class Platform {
public:
  virtual ~Platform() = default;

  // A modal box over `owner` titled `title`: the lines, one button "确定"
  // and no icon. Returns when it is closed.
  virtual void ShowMessage(HWND owner, const std::vector<std::string>& lines,
                           std::string_view title) = 0;
  // Puts the text on the clipboard as Unicode text.
  virtual void SetClipboardText(HWND owner, std::string_view text) = 0;
  // Opens the address in the default web browser, without waiting; false
  // when no browser could be started.
  virtual bool OpenUrl(std::string_view address) = 0;
};

class Win32Platform : public Platform {
public:
  void ShowMessage(HWND owner, const std::vector<std::string>& lines,
                   std::string_view title) override;
  void SetClipboardText(HWND owner, std::string_view text) override;
  bool OpenUrl(std::string_view address) override;
};

}  // namespace Quillo::Win32
