// Number texts without allocation, for the evaluator's and the driver's
// inner loops: every step writes its value rounded to 15 significant digits
// and reads it back, so this is where their time goes. The texts are written
// in place.
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

// The short form of `value` without its leading blank, written into `into`:
// the value rounded to 15 significant digits, " .5" written ".5".
void WriteShort(double value, NumberText& into);

// As WriteShort; `rounded` becomes the value that the text reads back as.
// Throws CalcError when that lies beyond the double range.
void WriteShort(double value, double& rounded, NumberText& into);

// The plain form of `value` written into `into`: "0.5", "-0.25", "14", "1E-05".
void WritePlain(double value, NumberText& into);

// As WritePlain; `rounded` becomes the value that the text reads back as.
// Throws CalcError when that lies beyond the double range.
void WritePlain(double value, double& rounded, NumberText& into);

// Reads the whole text, without blanks around it, as a number when it is one
// by the strict reading and lies within the double range; false otherwise
// (without failing).
bool ReadWholeNumber(std::string_view text, double& value);
bool ReadWholeNumber(std::u32string_view text, double& value);

}  // namespace CalcString
