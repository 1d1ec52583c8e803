// Pieces shared by the evaluator, the function library and the driver. Every
// position counts characters: they work on UTF-32 text, or, when the text is
// all ASCII (as nearly every formula is), on its bytes, which are then its
// characters. `Ch` is char32_t or char.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "number_format.h"
#include "quillo/calc_string.h"
#include "quillo/number_text.h"

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
  while (p < n && text[p] == '-') ++p;
  bool mantissaSoFar = true;  // only digits and at most one "." since the signs
  bool sawDigit = false;
  bool sawPoint = false;
  while (p < n) {
    const char32_t c = static_cast<char32_t>(text[p]);
    if (IsDigit(c)) {
      sawDigit = true;
    } else if (c == U'.' && mantissaSoFar && !sawPoint) {
      sawPoint = true;
    } else if ((c == U'E' || c == U'e') && mantissaSoFar && sawDigit && p + 2 < n &&
               (text[p + 1] == '+' || text[p + 1] == '-') &&
               IsDigit(static_cast<char32_t>(text[p + 2]))) {
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

// UTF-8 for a text: an ASCII text's bytes are already UTF-8.
std::string EncodeUtf8(std::u32string_view text);
inline std::string EncodeUtf8(std::string_view text) { return std::string(text); }

// An operand's value: each leading "-" negates once, the rest must be a
// number by the strict reading. Throws CalcError.
template <class Ch>
double ReadOperand(std::basic_string_view<Ch> text) {
  std::size_t signs = 0;
  while (signs < text.size() && text[signs] == Ch('-')) ++signs;
  const double value = StrictRead(text.substr(signs));
  return signs % 2 == 1 ? -value : value;
}

// The "^" operation: the real power. Throws CalcError when the result is not
// a finite real number.
double Power(double base, double exponent);

// What the evaluator made of an expression: nothing (the empty value), the
// expression itself (a single operand), or a number with its short form
// (without the blank) as the text.
template <class Ch>
struct Evaluation {
  enum Kind { kEmpty, kLone, kSigned, kComputed } kind = kEmpty;
  std::basic_string_view<Ch> lone;  // kLone: the operand, blanks trimmed
  bool loneRead = false;            // kLone: `value` holds its strict reading
  double value = 0;  // kSigned: the operand negated per sign; kComputed: the result
  NumberText text;   // kSigned, kComputed
};

// The evaluator; the views of the result point into the expression.
template <class Ch>
Evaluation<Ch> Evaluate(std::basic_string_view<Ch> expression);

// The evaluation as a number, as the strict reading of its text gives it
// (0 for the empty value). Throws CalcError.
template <class Ch>
double EvaluatedNumber(const Evaluation<Ch>& evaluation);

// The evaluation as the generic value that CalcExpression returns.
template <class Ch>
Value EvaluatedValue(const Evaluation<Ch>& evaluation);

// The library's functions, as the names select them.
enum class Function { kPi, kRand, kAbs, kInt, kSqrt, kSin, kAsin, kCos, kAcos, kTan, kMod, kPower, kRound };

// The function that the name selects, letter case aside; none for any other
// name, the empty one included.
template <class Ch>
std::optional<Function> FindFunction(std::basic_string_view<Ch> name);

// A function's value for its argument text: a double, or a whole number for
// "mod". Throws CalcError.
template <class Ch>
Value ComputeFunction(Function function, std::basic_string_view<Ch> argument);

// The next value of the "rand" sequence, in [0, 1).
float NextRandom();

// A UTF-8 text as ASCII bytes when it is all ASCII, else as UTF-32; with
// `normalise`, without blanks and with full-width forms made ASCII first.
// Empty optional for text that is not valid UTF-8.
struct Decoded {
  bool ascii = true;
  std::string bytes;       // when ascii
  std::u32string wide;     // otherwise
};
std::optional<Decoded> DecodeText(std::string_view text, bool normalise);

}  // namespace CalcString
