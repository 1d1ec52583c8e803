#include "quillo/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

#include "quillo/calc_string.h"

namespace CalcString {
namespace {

template <class Ch>
bool IsDigit(Ch c) {
  return c >= Ch('0') && c <= Ch('9');
}

// The parts of a number text once its shape has been checked. `mantissa` and
// `exponent` are ASCII copies without the sign; `negative` is the sign.
struct NumberShape {
  bool negative = false;
  std::string text;   // digits, ".", and "e" with exponent sign/digits
  long long magnitude = 0;  // decimal exponent of the first significant digit
  bool allZero = true;
};

// Reads a number shape starting at `i`. On return `i` is just past what was
// taken. Returns false when no digit was found (nothing is taken then).
// `needExponentDigits`: an "E" not followed by digits ends the number there.
template <class Ch>
bool TakeNumber(std::basic_string_view<Ch> s, size_t& i, NumberShape& out) {
  size_t p = i;
  const size_t n = s.size();
  out = NumberShape{};
  if (p < n && (s[p] == Ch('+') || s[p] == Ch('-'))) {
    out.negative = s[p] == Ch('-');
    ++p;
  }
  long long intDigits = 0;
  long long firstSignificant = -1;  // index among all mantissa digits
  long long digitCount = 0;
  bool seenPoint = false;
  for (; p < n; ++p) {
    const Ch c = s[p];
    if (IsDigit(c)) {
      if (c != Ch('0') && firstSignificant < 0) firstSignificant = digitCount;
      ++digitCount;
      if (!seenPoint) ++intDigits;
      out.text.push_back(static_cast<char>(c));
    } else if (c == Ch('.') && !seenPoint) {
      seenPoint = true;
      out.text.push_back('.');
    } else {
      break;
    }
  }
  if (digitCount == 0) return false;

  long long exponent = 0;
  if (p < n && (s[p] == Ch('E') || s[p] == Ch('e'))) {
    size_t q = p + 1;
    bool expNegative = false;
    if (q < n && (s[q] == Ch('+') || s[q] == Ch('-'))) {
      expNegative = s[q] == Ch('-');
      ++q;
    }
    if (q < n && IsDigit(s[q])) {
      out.text.push_back('e');
      out.text.push_back(expNegative ? '-' : '+');
      for (; q < n && IsDigit(s[q]); ++q) {
        out.text.push_back(static_cast<char>(s[q]));
        if (exponent < 1'000'000'000LL) exponent = exponent * 10 + (s[q] - Ch('0'));
      }
      if (expNegative) exponent = -exponent;
      p = q;
    }
  }
  out.allZero = firstSignificant < 0;
  if (!out.allZero) out.magnitude = intDigits - 1 - firstSignificant + exponent;
  i = p;
  return true;
}

double Convert(const NumberShape& shape) {
  if (shape.allZero) return shape.negative ? -0.0 : 0.0;
  double value = 0;
  const char* first = shape.text.data();
  const char* last = first + shape.text.size();
  auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (shape.magnitude < 0) return shape.negative ? -0.0 : 0.0;  // underflow
    throw CalcError("number beyond the double range");
  }
  if (ec != std::errc() || ptr != last || !std::isfinite(value)) {
    throw CalcError("not a number");
  }
  return shape.negative ? -value : value;
}

template <class Ch>
double Strict(std::basic_string_view<Ch> s) {
  size_t i = 0;
  while (i < s.size() && s[i] == Ch(' ')) ++i;
  NumberShape shape;
  if (!TakeNumber(s, i, shape)) throw CalcError("not a number");
  while (i < s.size() && s[i] == Ch(' ')) ++i;
  if (i != s.size()) throw CalcError("not a number");
  return Convert(shape);
}

template <class Ch>
double Lenient(std::basic_string_view<Ch> s) {
  size_t i = 0;
  while (i < s.size() && s[i] == Ch(' ')) ++i;
  NumberShape shape;
  if (!TakeNumber(s, i, shape)) return 0.0;
  return Convert(shape);
}

// The digits of `value` rounded to `digits` significant digits, trailing
// zeros dropped, and the decimal exponent of the first one.
struct Decimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Decimal ToDecimal(double value, int digits) {
  std::array<char, 64> buf{};
  auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                 std::chars_format::scientific, digits - 1);
  (void)ec;  // 64 characters always suffice for a finite double
  Decimal d;
  const char* p = buf.data();
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  for (; p != end && *p != 'e'; ++p) {
    if (*p != '.') d.digits.push_back(*p);
  }
  if (p != end) {
    ++p;  // 'e'
    std::from_chars(*p == '+' ? p + 1 : p, end, d.exponent);
  }
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  return d;
}

enum class Form { kPlain, kShort };

std::string Write(double value, int digits, int upperExponent, Form form) {
  if (value == 0 || !std::isfinite(value)) {
    // Zero, negative zero included, is "0"; non-finite values never reach here
    // from the evaluator, which fails on them first.
    return form == Form::kShort ? " 0" : "0";
  }
  const Decimal d = ToDecimal(value, digits);
  std::string out;
  if (d.negative) {
    out.push_back('-');
  } else if (form == Form::kShort) {
    out.push_back(' ');
  }
  if (d.exponent >= upperExponent || d.exponent < -4) {
    out.push_back(d.digits[0]);
    if (d.digits.size() > 1) {
      out.push_back('.');
      out.append(d.digits, 1);
    }
    out.push_back('E');
    out.push_back(d.exponent < 0 ? '-' : '+');
    const int e = std::abs(d.exponent);
    if (e < 10) out.push_back('0');
    out.append(std::to_string(e));
  } else if (d.exponent >= 0) {
    const size_t intLen = static_cast<size_t>(d.exponent) + 1;
    if (d.digits.size() <= intLen) {
      out.append(d.digits);
      out.append(intLen - d.digits.size(), '0');
    } else {
      out.append(d.digits, 0, intLen);
      out.push_back('.');
      out.append(d.digits, intLen);
    }
  } else {
    if (form == Form::kPlain) out.push_back('0');
    out.push_back('.');
    out.append(static_cast<size_t>(-d.exponent - 1), '0');
    out.append(d.digits);
  }
  return out;
}

}  // namespace

double StrictRead(std::string_view text) { return Strict(text); }
double StrictRead(std::u32string_view text) { return Strict(text); }
double LenientRead(std::string_view text) { return Lenient(text); }
double LenientRead(std::u32string_view text) { return Lenient(text); }

std::string PlainForm(double value) { return Write(value, 15, 15, Form::kPlain); }
std::string ShortForm(double value) { return Write(value, 15, 15, Form::kShort); }

std::string SinglePrecisionForm(float value) {
  // Written from the float's own value, so its 7 digits are those of the
  // single-precision number and not of a widened double.
  if (value == 0 || !std::isfinite(value)) return "0";
  std::array<char, 32> buf{};
  auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                 std::chars_format::scientific, 6);
  (void)ec;
  double rounded = 0;
  std::from_chars(buf.data(), end, rounded);
  return Write(rounded, 7, 7, Form::kPlain);
}

double Round15(double value) {
  if (value == 0 || !std::isfinite(value)) return value;
  const Decimal d = ToDecimal(value, 15);
  std::string text = d.digits;
  text.append("e").append(std::to_string(d.exponent - static_cast<int>(d.digits.size()) + 1));
  double out = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    if (d.exponent < 0) return d.negative ? -0.0 : 0.0;
    throw CalcError("overflow");
  }
  return d.negative ? -out : out;
}

}  // namespace CalcString
