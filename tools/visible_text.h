// Output that echoes the input (an unknown function's name in the message)
// must not reach the terminal as control characters: an escape sequence in
// a formula would retitle the window, move the cursor or, on some terminals,
// write the clipboard.
#pragma once

#include <string>
#include <string_view>

namespace quillo_eval {

// `text` with every control character made visible: C0 and DEL as \xNN,
// C1 (U+0080..U+009F) as \uNNNN, and any byte that is not UTF-8 as \xNN.
// Everything else, backslashes included, stays as it is.
std::string VisibleText(std::string_view text);

}  // namespace quillo_eval
