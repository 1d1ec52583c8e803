// UTF-8 <-> UTF-32 for the engine, which counts positions in characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "quillo/utf8.h"

namespace CalcString {

// Decodes strict UTF-8: no overlong forms, no surrogates, nothing above
// U+10FFFF. Empty optional for anything else.
std::optional<std::u32string> DecodeUtf8(std::string_view text);

std::string EncodeUtf8(std::u32string_view text);

}  // namespace CalcString
