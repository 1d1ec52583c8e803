// Number texts without allocation, for the evaluator's and the driver's
// inner loops: every step writes its value rounded to 15 significant digits
// and reads it back, so this is where their time goes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace CalcString {

// A number text of at most 24 characters.
struct NumberText {
  char chars[32] = {};
  std::uint8_t size = 0;

  std::string_view View() const { return {chars, size}; }
  std::u32string_view::size_type Length() const { return size; }
  std::string Str() const { return std::string(View()); }
};

// The short form of `value` without its leading blank: the value rounded to
// 15 significant digits, " .5" written ".5".
NumberText ShortText(double value);

// As ShortText; `rounded` becomes the value that the text reads back as.
// Throws CalcError when that lies beyond the double range.
NumberText ShortText(double value, double& rounded);

// The plain form of `value`: "0.5", "-0.25", "14", "1E-05".
NumberText PlainText(double value);

// As PlainText; `rounded` becomes the value that the text reads back as.
// Throws CalcError when that lies beyond the double range.
NumberText PlainText(double value, double& rounded);

}  // namespace CalcString
