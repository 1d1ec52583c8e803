// UTF-8 and Windows' UTF-16, converted without a code page in between.
#pragma once

#include <string>
#include <string_view>

namespace quillo_eval {

// Ill-formed input (a lone surrogate, an invalid byte) becomes U+FFFD.
std::string ToUtf8(std::wstring_view text);
std::wstring ToUtf16(std::string_view text);

// The length of the longest start of `text` that does not end inside a
// UTF-8 sequence that the rest could still complete.
std::size_t CompleteUtf8Prefix(std::string_view text);

}  // namespace quillo_eval
