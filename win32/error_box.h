// The error box: modal over its owner, titled as the form says, the message
// lines and the hint, one button "确定" and no icon, whatever the language of
// Windows (MessageBoxW would label its button in that language).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace Quillo::Win32 {

// Returns when the box is closed (its button, Enter, Escape or the close box).
void ShowErrorBox(HWND owner, const std::vector<std::string>& lines, std::string_view title);

// The button's caption and the box's control identifiers, for the window suite.
inline constexpr std::string_view kErrorBoxButton = "确定";
inline constexpr int kErrorBoxMessageId = 100;

}  // namespace Quillo::Win32
