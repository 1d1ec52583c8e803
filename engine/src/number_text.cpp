#include "quillo/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

#include "number_format.h"
#include "quillo/calc_string.h"

namespace CalcString {
namespace {

template <class Ch>
bool IsDigit(Ch c) {
  return c >= Ch('0') && c <= Ch('9');
}

// What a number text holds once its shape has been checked. The first 19
// significant digits are kept as a whole number, so that most numbers are
// read exactly without going through a text: value = mantissa × 10^scale.
struct NumberShape {
  bool negative = false;
  bool allZero = true;
  std::uint64_t mantissa = 0;
  int kept = 0;                // significant digits in `mantissa`
  bool droppedNonZero = false;  // a significant digit beyond the 19th was not 0
  long long scale = 0;
  long long magnitude = 0;     // decimal exponent of the first significant digit
  std::size_t begin = 0;       // the number's characters, sign excluded
  std::size_t end = 0;
};

constexpr long long kExponentCap = 1'000'000'000LL;

// Reads a number shape starting at `i`: an optional sign, digits with at
// most one ".", at least one digit, and an exponent ("E"/"e", optional sign,
// digits) when digits follow the "E". On return `i` is just past what was
// taken. Returns false when no digit was found (nothing is taken then).
template <class Ch>
bool TakeNumber(std::basic_string_view<Ch> s, size_t& i, NumberShape& out) {
  // Locals, not `out`'s fields, in the loops: a store through `out` might
  // change the text as far as the compiler knows, when Ch is char.
  const Ch* text = s.data();
  size_t p = i;
  const size_t n = s.size();
  bool negative = false;
  if (p < n && (text[p] == Ch('+') || text[p] == Ch('-'))) {
    negative = text[p] == Ch('-');
    ++p;
  }
  const size_t begin = p;
  std::uint64_t mantissa = 0;
  int kept = 0;                // significant digits in `mantissa`, at most 19
  bool droppedNonZero = false;
  long long scale = 0;
  long long magnitude = 0;

  // The whole part: leading zeros, then significant digits.
  const size_t wholeFrom = p;
  while (p < n && text[p] == Ch('0')) ++p;
  const size_t significantFrom = p;
  for (; p < n && IsDigit(text[p]); ++p) {
    const auto digit = static_cast<unsigned>(text[p] - Ch('0'));
    if (kept < 19) {
      mantissa = mantissa * 10 + digit;
      ++kept;
    } else {
      droppedNonZero = droppedNonZero || digit != 0;
      ++scale;
    }
  }
  bool anyDigit = p > wholeFrom;
  if (p > significantFrom) magnitude = static_cast<long long>(p - significantFrom) - 1;

  // The fraction: leading zeros only count while nothing significant came.
  if (p < n && text[p] == Ch('.')) {
    ++p;
    const size_t fractionFrom = p;
    if (kept == 0) {
      while (p < n && text[p] == Ch('0')) ++p;
      scale -= static_cast<long long>(p - fractionFrom);
      if (p < n && IsDigit(text[p])) magnitude = -static_cast<long long>(p - fractionFrom) - 1;
    }
    for (; p < n && IsDigit(text[p]); ++p) {
      const auto digit = static_cast<unsigned>(text[p] - Ch('0'));
      if (kept < 19) {
        mantissa = mantissa * 10 + digit;
        ++kept;
        --scale;
      } else {
        droppedNonZero = droppedNonZero || digit != 0;
      }
    }
    anyDigit = anyDigit || p > fractionFrom;
  }
  if (!anyDigit) return false;

  long long exponent = 0;
  if (p < n && (text[p] == Ch('E') || text[p] == Ch('e'))) {
    size_t q = p + 1;
    bool expNegative = false;
    if (q < n && (text[q] == Ch('+') || text[q] == Ch('-'))) {
      expNegative = text[q] == Ch('-');
      ++q;
    }
    if (q < n && IsDigit(text[q])) {
      for (; q < n && IsDigit(text[q]); ++q) {
        if (exponent < kExponentCap) exponent = exponent * 10 + (text[q] - Ch('0'));
      }
      if (expNegative) exponent = -exponent;
      p = q;
    }
  }
  out.negative = negative;
  out.allZero = kept == 0;
  out.mantissa = mantissa;
  out.kept = kept;
  out.droppedNonZero = droppedNonZero;
  out.scale = scale + exponent;
  out.magnitude = magnitude + exponent;
  out.begin = begin;
  out.end = p;
  i = p;
  return true;
}

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The number's characters as an ASCII text that std::from_chars reads.
template <class Ch>
std::string AsciiCopy(std::basic_string_view<Ch> s, const NumberShape& shape) {
  std::string text;
  text.reserve(shape.end - shape.begin);
  for (size_t p = shape.begin; p < shape.end; ++p) text.push_back(static_cast<char>(s[p]));
  return text;
}

// The shape's value; false when it lies beyond the double range.
template <class Ch>
bool TryConvert(std::basic_string_view<Ch> s, const NumberShape& shape, double& value) {
  if (shape.allZero) {
    value = shape.negative ? -0.0 : 0.0;
    return true;
  }
  // Exact whole mantissa and an exactly representable power of ten: one
  // correctly rounded operation gives the nearest double.
  if (!shape.droppedNonZero && shape.mantissa <= (1ULL << 53) && shape.scale >= -22 &&
      shape.scale <= 22) {
    const double m = static_cast<double>(shape.mantissa);
    value = shape.scale >= 0 ? m * kPowersOfTen[shape.scale] : m / kPowersOfTen[-shape.scale];
    if (shape.negative) value = -value;
    return true;
  }
  const std::string text = AsciiCopy(s, shape);
  const char* first = text.data();
  const char* last = first + text.size();
  auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range && shape.magnitude < 0) {
    value = shape.negative ? -0.0 : 0.0;  // underflow
    return true;
  }
  if (ec != std::errc() || ptr != last || !std::isfinite(value)) return false;
  if (shape.negative) value = -value;
  return true;
}

template <class Ch>
double Convert(std::basic_string_view<Ch> s, const NumberShape& shape) {
  double value = 0;
  if (!TryConvert(s, shape, value)) throw CalcError("number beyond the double range");
  return value;
}

template <class Ch>
double Strict(std::basic_string_view<Ch> s) {
  // Up to 15 plain digits: a whole number below 2^53, exact as it stands.
  if (!s.empty() && s.size() <= 15) {
    std::uint64_t whole = 0;
    size_t k = 0;
    for (; k < s.size() && IsDigit(s[k]); ++k) whole = whole * 10 + static_cast<unsigned>(s[k] - Ch('0'));
    if (k == s.size()) return static_cast<double>(whole);
  }
  size_t i = 0;
  while (i < s.size() && s[i] == Ch(' ')) ++i;
  NumberShape shape;
  if (!TakeNumber(s, i, shape)) throw CalcError("not a number");
  while (i < s.size() && s[i] == Ch(' ')) ++i;
  if (i != s.size()) throw CalcError("not a number");
  return Convert(s, shape);
}

template <class Ch>
double Lenient(std::basic_string_view<Ch> s) {
  size_t i = 0;
  while (i < s.size() && s[i] == Ch(' ')) ++i;
  NumberShape shape;
  if (!TakeNumber(s, i, shape)) return 0.0;
  return Convert(s, shape);
}

// The significant digits of a value, trailing zeros dropped, and the decimal
// exponent of the first one.
struct Decimal {
  bool negative = false;
  char digits[24];
  int count = 0;
  int exponent = 0;
};

void DropTrailingZeros(Decimal& d) {
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
}

// Splits to_chars' scientific output ("-1.2345e-05") into `d`. (Decimals
// are filled in place: copying one just written costs more than writing it.)
void FromScientific(const char* p, const char* end, Decimal& d) {
  d.negative = *p == '-';
  if (d.negative) ++p;
  int count = 0;
  for (; p != end && *p != 'e'; ++p) {
    if (*p != '.') d.digits[count++] = *p;
  }
  int exponent = 0;
  if (p != end) {
    ++p;  // 'e'
    const bool minus = *p == '-';
    for (++p; p != end; ++p) exponent = exponent * 10 + (*p - '0');
    if (minus) exponent = -exponent;
  }
  d.count = count;
  d.exponent = exponent;
  DropTrailingZeros(d);
}

// The value correctly rounded to `digits` significant digits.
void ToDecimal(double value, int digits, Decimal& d) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, digits - 1);
  (void)ec;  // 64 characters always suffice for a finite double
  FromScientific(buf, end, d);
}

// The value that the digits read back as. Throws when it lies beyond the
// double range.
double ReadBack(const Decimal& d) {
  // At most 15 digits make a whole number below 2^53: with a power of ten up
  // to 10^22, one correctly rounded operation gives the nearest double.
  const int scale = d.exponent - d.count + 1;
  if (scale >= -22 && scale <= 22) {
    std::uint64_t whole = 0;
    for (int i = 0; i < d.count; ++i) whole = whole * 10 + static_cast<unsigned>(d.digits[i] - '0');
    const double m = static_cast<double>(whole);
    const double value = scale >= 0 ? m * kPowersOfTen[scale] : m / kPowersOfTen[-scale];
    return d.negative ? -value : value;
  }
  char text[48];
  std::memcpy(text, d.digits, static_cast<size_t>(d.count));
  char* p = text + d.count;
  *p++ = 'e';
  p = std::to_chars(p, text + sizeof text, d.exponent - d.count + 1).ptr;
  double out = 0;
  auto [ptr, ec] = std::from_chars(text, p, out);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    if (d.exponent < 0) return d.negative ? -0.0 : 0.0;
    throw CalcError("overflow");
  }
  return d.negative ? -out : out;
}

// The value (finite, not 0) rounded to 15 significant digits, into `d`,
// and, when `rounded` is given, the value those digits read back as (which
// may fail: the digits of the largest doubles round beyond the double range).
// The shortest digits that read back as the value (std::to_chars without a
// precision, much faster than with one) decide the rounding whenever they
// can: with at most 15 digits they are the rounded digits themselves, with 17
// (or 16 not ending in 5) no 15-digit midpoint can lie between them and the
// value. A 16th digit 5 may be a tie or lie on either side of it: that rare
// case takes the exact way, and so do subnormal values, whose shortest
// digits are fewer than their 15-digit rounding.
void ToDecimal15(double value, double* rounded, Decimal& d) {
  const double magnitude = std::fabs(value);
  d.negative = value < 0;
  if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
    const auto whole = static_cast<std::uint64_t>(magnitude);
    d.count = static_cast<int>(std::to_chars(d.digits, d.digits + sizeof d.digits, whole).ptr - d.digits);
    d.exponent = d.count - 1;
    DropTrailingZeros(d);
    if (rounded) *rounded = value;
    return;
  }
  if (magnitude < std::numeric_limits<double>::min()) {
    ToDecimal(value, 15, d);
    if (rounded) *rounded = ReadBack(d);
    return;
  }
  char buf[40];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
  (void)ec;
  FromScientific(buf, end, d);
  if (d.count <= 15) {
    if (rounded) *rounded = value;
    return;
  }
  if (d.count == 16 && d.digits[15] == '5') {
    ToDecimal(value, 15, d);
    if (rounded) *rounded = ReadBack(d);
    return;
  }
  const bool up = d.digits[15] >= '5';  // a 16th digit 5 here has more behind it
  d.count = 15;
  if (up) {
    int i = 14;
    while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
    if (i < 0) {
      d.digits[0] = '1';
      d.count = 1;
      ++d.exponent;
    } else {
      ++d.digits[i];
    }
  }
  DropTrailingZeros(d);
  if (rounded) *rounded = ReadBack(d);
}

// kBare is the short form without its leading blank.
enum class Form { kPlain, kShort, kBare };

// The sign, or the short form's blank.
char* Start(char* out, bool negative, Form form) {
  if (negative) {
    *out++ = '-';
  } else if (form == Form::kShort) {
    *out++ = ' ';
  }
  return out;
}

// Writes the digits into `t` in positional notation or, for exponents from
// `upperExponent` on and below -4, in exponent form.
void Write(const Decimal& d, int upperExponent, Form form, NumberText& t) {
  char* out = Start(t.chars, d.negative, form);
  auto append = [&out](const char* from, int count) {
    for (int i = 0; i < count; ++i) *out++ = from[i];
  };
  auto zeros = [&out](int count) {
    for (int i = 0; i < count; ++i) *out++ = '0';
  };
  if (d.exponent >= upperExponent || d.exponent < -4) {
    *out++ = d.digits[0];
    if (d.count > 1) {
      *out++ = '.';
      append(d.digits + 1, d.count - 1);
    }
    *out++ = 'E';
    *out++ = d.exponent < 0 ? '-' : '+';
    const int e = std::abs(d.exponent);
    if (e < 10) *out++ = '0';
    out = std::to_chars(out, t.chars + sizeof t.chars, e).ptr;
  } else if (d.exponent >= 0) {
    const int intLen = d.exponent + 1;
    if (d.count <= intLen) {
      append(d.digits, d.count);
      zeros(intLen - d.count);
    } else {
      append(d.digits, intLen);
      *out++ = '.';
      append(d.digits + intLen, d.count - intLen);
    }
  } else {
    if (form == Form::kPlain) *out++ = '0';
    *out++ = '.';
    zeros(-d.exponent - 1);
    append(d.digits, d.count);
  }
  t.size = static_cast<std::uint8_t>(out - t.chars);
}

// `value` rounded to 15 digits in the given form, written into `t` (in
// place: a text built elsewhere and copied in costs more than its writing);
// with `rounded`, also the value the text reads back as.
void Text15(double value, Form form, double* rounded, NumberText& t) {
  if (value == 0 || !std::isfinite(value)) {
    // Zero, negative zero included, is "0"; non-finite values never reach
    // here from the evaluator, which fails on them first.
    if (rounded) *rounded = value;
    char* out = Start(t.chars, false, form);
    *out++ = '0';
    t.size = static_cast<std::uint8_t>(out - t.chars);
    return;
  }
  const double magnitude = std::fabs(value);
  if (magnitude < 1e15 && magnitude == std::floor(magnitude)) {
    // A whole number of at most 15 digits is its own rounding and is written
    // alike in every form: its digits.
    if (rounded) *rounded = value;
    char* out = Start(t.chars, value < 0, form);
    out = std::to_chars(out, t.chars + sizeof t.chars, static_cast<std::uint64_t>(magnitude)).ptr;
    t.size = static_cast<std::uint8_t>(out - t.chars);
    return;
  }
  Decimal d;
  ToDecimal15(value, rounded, d);
  Write(d, 15, form, t);
}

std::string Text15(double value, Form form) {
  NumberText t;
  Text15(value, form, nullptr, t);
  return t.Str();
}

template <class Ch>
bool WholeNumber(std::basic_string_view<Ch> text, double& value) {
  size_t i = 0;
  NumberShape shape;
  return TakeNumber(text, i, shape) && i == text.size() && TryConvert(text, shape, value);
}

}  // namespace

bool ReadWholeNumber(std::string_view text, double& value) { return WholeNumber(text, value); }
bool ReadWholeNumber(std::u32string_view text, double& value) { return WholeNumber(text, value); }

double StrictRead(std::string_view text) { return Strict(text); }
double StrictRead(std::u32string_view text) { return Strict(text); }
double LenientRead(std::string_view text) { return Lenient(text); }
double LenientRead(std::u32string_view text) { return Lenient(text); }

std::string PlainForm(double value) { return Text15(value, Form::kPlain); }
std::string ShortForm(double value) { return Text15(value, Form::kShort); }

void WritePlain(double value, NumberText& into) { Text15(value, Form::kPlain, nullptr, into); }
void WritePlain(double value, double& rounded, NumberText& into) {
  Text15(value, Form::kPlain, &rounded, into);
}
void WriteShort(double value, NumberText& into) { Text15(value, Form::kBare, nullptr, into); }
void WriteShort(double value, double& rounded, NumberText& into) {
  Text15(value, Form::kBare, &rounded, into);
}

std::string SinglePrecisionForm(float value) {
  // Written from the float's own value, so its 7 digits are those of the
  // single-precision number and not of a widened double.
  if (value == 0 || !std::isfinite(value)) return "0";
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 6);
  (void)ec;
  NumberText t;
  Decimal d;
  FromScientific(buf, end, d);
  Write(d, 7, Form::kPlain, t);
  return t.Str();
}

double Round15(double value) {
  if (value == 0 || !std::isfinite(value)) return value;
  double rounded = 0;
  Decimal d;
  ToDecimal15(value, &rounded, d);
  return rounded;
}

}  // namespace CalcString
