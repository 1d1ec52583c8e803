// How numbers are read from and written as text. "." is the decimal point
// everywhere; nothing here depends on the process locale.
#pragma once

#include <string>
#include <string_view>

namespace CalcString {

// The whole text must be a number: optional blanks, optional sign, digits
// with at most one ".", optional exponent ("E"/"e", optional sign, digits),
// optional blanks. Throws CalcError otherwise or when the value is beyond the
// double range; a value below the smallest double reads as 0.
double StrictRead(std::string_view text);
double StrictRead(std::u32string_view text);

// The leading number of the text after leading blanks, 0 when there is none.
// Throws CalcError only for a number beyond the double range.
double LenientRead(std::string_view text);
double LenientRead(std::u32string_view text);

// 15 significant digits, "0.5" / "-0.25" / "14" / "1E-05" / "1.5E+20".
std::string PlainForm(double value);

// As the plain form, but a leading blank for values >= 0 and no "0" in front
// of the point: " .5", "-.25", " 14", " 0".
std::string ShortForm(double value);

// The plain form of a single-precision value with 7 significant digits.
std::string SinglePrecisionForm(float value);

// The value rounded to 15 significant digits, as every evaluator step rounds.
double Round15(double value);

}  // namespace CalcString
