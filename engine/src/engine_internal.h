// Pieces shared by the evaluator, the function library and the driver. They
// work on UTF-32 text so that every position counts characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "number_format.h"
#include "quillo/calc_string.h"

namespace CalcString {

// Positions in the evaluator and the driver are 16-bit signed integers.
inline constexpr std::size_t kMaxPosition = 32767;

inline bool IsOperator(char32_t c) {
  return c == U'+' || c == U'-' || c == U'*' || c == U'/' || c == U'^';
}

inline bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// Where the operand that starts at `start` ends: after a run of "-" signs, up
// to the first operator character (or, with `stopAtGroupEnd`, ")" or ","),
// or the end of the text. The sign inside an exponent form ("1E-05",
// "1.5E+20") belongs to the number and does not end it.
template <class Text>
std::size_t ScanOperand(const Text& text, std::size_t start, bool stopAtGroupEnd) {
  const std::size_t n = text.size();
  std::size_t p = start;
  while (p < n && text[p] == U'-') ++p;
  bool mantissaSoFar = true;  // only digits and at most one "." since the signs
  bool sawDigit = false;
  bool sawPoint = false;
  while (p < n) {
    const char32_t c = text[p];
    if (IsDigit(c)) {
      sawDigit = true;
    } else if (c == U'.' && mantissaSoFar && !sawPoint) {
      sawPoint = true;
    } else if ((c == U'E' || c == U'e') && mantissaSoFar && sawDigit && p + 2 < n &&
               (text[p + 1] == U'+' || text[p + 1] == U'-') && IsDigit(text[p + 2])) {
      mantissaSoFar = false;
      p += 3;  // "E", its sign and the first exponent digit
      continue;
    } else if (IsOperator(c) || (stopAtGroupEnd && (c == U')' || c == U','))) {
      break;
    } else {
      mantissaSoFar = false;
    }
    ++p;
  }
  return p;
}

// An operand's value: each leading "-" negates once, the rest must be a
// number by the strict reading. Throws CalcError.
double ReadOperand(std::u32string_view text);

// The "^" operation: the real power. Throws CalcError when the result is not
// a finite real number.
double Power(double base, double exponent);

// What the evaluator made of an expression: nothing (the empty value), the
// expression itself (a single operand), or a number with its short form
// (without the blank) as the text.
struct Evaluation {
  enum Kind { kEmpty, kLone, kSigned, kComputed } kind = kEmpty;
  std::u32string_view lone;  // kLone: the operand, blanks trimmed
  double value = 0;          // kSigned: the operand negated per sign; kComputed: the result
  NumberText text;           // kSigned, kComputed
};

// The evaluator on UTF-32 text; the views of the result point into it.
Evaluation Evaluate(std::u32string_view expression);

// The evaluation as a number, as the strict reading of its text gives it
// (0 for the empty value). Throws CalcError.
double EvaluatedNumber(const Evaluation& evaluation);

// CalcExpression and CalcFunction on UTF-32 text.
Value EvaluateExpression(std::u32string_view expression);
Value EvaluateFunction(std::u32string_view argument, std::u32string_view name);

// The library's functions, as the names select them.
enum class Function { kPi, kRand, kAbs, kInt, kSqrt, kSin, kAsin, kCos, kAcos, kTan, kMod, kPower, kRound };

// The function that the name selects, letter case aside; none for any other
// name, the empty one included.
std::optional<Function> FindFunction(std::u32string_view name);

// A function's value for its argument text: a double, or a whole number for
// "mod". Throws CalcError.
Value ComputeFunction(Function function, std::u32string_view argument);

// The next value of the "rand" sequence, in [0, 1).
float NextRandom();

}  // namespace CalcString
