// The reference's number texts: the strict and the lenient reading, the
// plain, short and single-precision forms. Written independently of the
// engine's: the forms come from the printf-style "%.15g" rule of
// std::to_chars, whose switch to exponent form (below 1E-4, from 1E15) is the
// calculator's.
#pragma once

#include "basic_text.h"

namespace Reference {

// The whole text is a number: blanks, sign, digits with at most one ".",
// optional exponent, blanks. Fails otherwise and beyond the double range; a
// value below the smallest double reads as 0.
double StrictRead(const Text& text);

// The leading number after leading blanks; 0 when there is none.
double LenientRead(const Text& text);

Text PlainForm(double value);
Text ShortForm(double value);
Text SinglePrecisionForm(float value);

}  // namespace Reference
