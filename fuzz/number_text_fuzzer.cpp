// The number text conventions alone. Each input is read three ways:
// - as a text, through the strict and the lenient reading (both overloads),
//   checked against a shape matcher written here and against glibc's strtod;
// - its first eight bytes as a double and its first four as a float, written
//   in the plain, short and single-precision forms;
// - the value the strict reading gave, written in those forms too.
// Every written form must have the documented shape, and the strict reading
// of the plain and the short form of a finite double must give back that
// double rounded to 15 significant digits (Round15), or fail exactly when
// that rounding lies beyond the double range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "quillo/calc_string.h"
#include "quillo/number_text.h"

namespace {

using CalcString::CalcError;
using QuilloFuzz::Check;
using QuilloFuzz::Fail;

std::string_view g_input;  // the input being run, for the reports

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number shape starting at `i`: optional sign, digits with at most one ".",
// at least one digit, then an exponent only when digits follow its letter and
// sign. Returns the end, or `i` when there is no digit. `magnitude` is the
// decimal exponent of the first significant digit (0 when all are zero),
// kept within a range that still tells huge from tiny.
std::size_t MatchNumber(std::string_view s, std::size_t i, long& magnitude, bool& allZero) {
  std::size_t p = i;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) ++p;
  long intDigits = 0, digits = 0, firstSignificant = -1;
  bool point = false;
  for (; p < s.size(); ++p) {
    if (IsDigit(s[p])) {
      if (s[p] != '0' && firstSignificant < 0) firstSignificant = digits;
      ++digits;
      if (!point) ++intDigits;
    } else if (s[p] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return i;
  long exponent = 0;
  if (p < s.size() && (s[p] == 'e' || s[p] == 'E')) {
    std::size_t q = p + 1;
    bool negative = false;
    if (q < s.size() && (s[q] == '+' || s[q] == '-')) negative = s[q++] == '-';
    if (q < s.size() && IsDigit(s[q])) {
      for (; q < s.size() && IsDigit(s[q]); ++q) {
        if (exponent < 100000000) exponent = exponent * 10 + (s[q] - '0');
      }
      if (negative) exponent = -exponent;
      p = q;
    }
  }
  allZero = firstSignificant < 0;
  magnitude = allZero ? 0 : intDigits - 1 - firstSignificant + exponent;
  return p;
}

std::optional<double> Strict(std::string_view text) {
  try {
    return CalcString::StrictRead(text);
  } catch (const CalcError&) {
    return std::nullopt;
  }
}

std::optional<double> Lenient(std::string_view text) {
  try {
    return CalcString::LenientRead(text);
  } catch (const CalcError&) {
    return std::nullopt;
  }
}

bool Same(std::optional<double> a, std::optional<double> b) {
  return a.has_value() == b.has_value() && (!a || *a == *b);
}

std::u32string Widened(std::string_view text) {
  return std::u32string(reinterpret_cast<const unsigned char*>(text.data()),
                        reinterpret_cast<const unsigned char*>(text.data()) + text.size());
}

void CheckReadings(std::string_view text) {
  const auto strict = Strict(text);
  const auto lenient = Lenient(text);
  const std::u32string wide = Widened(text);
  std::optional<double> strictWide, lenientWide;
  try {
    strictWide = CalcString::StrictRead(wide);
  } catch (const CalcError&) {
  }
  try {
    lenientWide = CalcString::LenientRead(wide);
  } catch (const CalcError&) {
  }
  Check(Same(strict, strictWide), "the two strict readings differ", g_input);
  Check(Same(lenient, lenientWide), "the two lenient readings differ", g_input);

  // The shape, found here independently.
  std::size_t start = 0;
  while (start < text.size() && text[start] == ' ') ++start;
  long magnitude = 0;
  bool allZero = true;
  const std::size_t end = MatchNumber(text, start, magnitude, allZero);
  std::size_t after = end;
  while (after < text.size() && text[after] == ' ') ++after;
  const bool shapeOk = end > start && after == text.size();

  if (!shapeOk) {
    Check(!strict, "the strict reading accepted a text that is not a number", g_input);
  } else if (!strict) {
    Check(magnitude >= 308, "the strict reading rejected a number within range", g_input);
  } else {
    Check(std::isfinite(*strict) && magnitude <= 308, "the strict reading gave an impossible value",
          g_input);
    if (allZero || magnitude < -330) Check(*strict == 0, "a tiny number did not read as 0", g_input);
    // glibc's strtod as an independent conversion (this program never sets
    // a locale, so its decimal point is ".").
    const std::string plain(text.substr(start, end - start));
    const double reference = std::strtod(plain.c_str(), nullptr);
    Check(*strict == reference, "the strict reading differs from strtod", g_input);
  }

  // The lenient reading is the strict reading of the leading number.
  if (end > start) {
    Check(Same(lenient, Strict(text.substr(start, end - start))),
          "the lenient reading is not that of the leading number", g_input);
  } else {
    Check(lenient && *lenient == 0, "a text without a leading number did not read as 0", g_input);
  }
  if (strict) Check(Same(lenient, strict), "the lenient and strict readings differ", g_input);

  // The result box's text exists exactly for the texts that are numbers.
  Check(CalcString::DisplayText(text).has_value() == strict.has_value(),
        "a display text for a text that is not a number, or none for a number", g_input);
}

// `body` is a written number without sign or blank; checks its shape for a
// value `a` (> 0) with at most `digits` significant digits and positional
// notation from 1E-4 up to below 10^`upper`.
void CheckBody(std::string_view body, double a, int digits, int upper, bool leadingZero,
               std::string_view form) {
  const bool exponentForm = a >= std::pow(10.0, upper) || a < 1e-4;
  std::size_t significant = 0;
  if (exponentForm) {
    const auto e = body.find('E');
    Check(e != std::string_view::npos && e > 0, "exponent form expected", g_input, form);
    const std::string_view mantissa = body.substr(0, e), exponent = body.substr(e + 1);
    Check(IsDigit(mantissa[0]) && mantissa[0] != '0', "exponent form's first digit", g_input, form);
    if (mantissa.size() > 1) {
      Check(mantissa[1] == '.' && mantissa.size() > 2 && mantissa.back() != '0' &&
                mantissa.substr(2).find_first_not_of("0123456789") == std::string_view::npos,
            "exponent form's digits", g_input, form);
    }
    significant = mantissa.size() > 1 ? mantissa.size() - 1 : 1;
    Check(exponent.size() >= 3 && (exponent[0] == '+' || exponent[0] == '-') &&
              exponent.substr(1).find_first_not_of("0123456789") == std::string_view::npos &&
              (exponent.size() == 3 || exponent[1] != '0'),
          "exponent form's exponent", g_input, form);
  } else {
    Check(body.find_first_not_of("0123456789.") == std::string_view::npos, "positional digits", g_input,
          form);
    const auto point = body.find('.');
    if (point != std::string_view::npos) {
      Check(body.back() != '0' && point + 1 < body.size(), "a trailing zero or point", g_input, form);
    }
    if (a < 1) {
      Check(body.substr(0, leadingZero ? 2 : 1) == (leadingZero ? "0." : "."),
            "the zero in front of the point", g_input, form);
    } else {
      Check(body[0] != '0' && body[0] != '.', "a leading zero", g_input, form);
    }
    std::string digitsOnly;
    for (const char c : body) {
      if (IsDigit(c)) digitsOnly.push_back(c);
    }
    const auto first = digitsOnly.find_first_not_of('0');
    significant = digitsOnly.size() - first;
    if (point == std::string_view::npos) {  // trailing zeros of a whole number are not significant
      const auto last = digitsOnly.find_last_not_of('0');
      significant = last - first + 1;
    }
  }
  Check(significant <= static_cast<std::size_t>(digits), "too many significant digits", g_input, form);
}

void CheckForms(double d) {
  if (!std::isfinite(d)) return;
  std::optional<double> rounded;
  try {
    rounded = CalcString::Round15(d);
  } catch (const CalcError&) {
  }
  const std::string plain = CalcString::PlainForm(d);
  const std::string shortForm = CalcString::ShortForm(d);
  Check(Same(Strict(plain), rounded), "the strict reading of the plain form is not Round15", g_input, plain);
  Check(Same(Strict(shortForm), rounded), "the strict reading of the short form is not Round15", g_input,
        shortForm);
  if (!rounded) {
    Check(std::fabs(d) > 1.797693134862315e308, "Round15 failed within range", g_input, plain);
    return;
  }
  const double r = *rounded;
  // Half a unit in the 15th digit, plus half a unit in the last place of the
  // double nearest to those digits.
  Check(std::fabs(r - d) <= 5.12e-15 * std::fabs(d) + 5e-324, "Round15 moved too far", g_input, plain);
  Check(CalcString::PlainForm(r) == plain, "the 15-digit value is written differently", g_input, plain);
  if (r == 0) {
    Check(plain == "0" && shortForm == " 0", "zero's forms", g_input, plain);
    return;
  }
  const bool negative = r < 0;
  Check((plain[0] == '-') == negative, "the plain form's sign", g_input, plain);
  Check(shortForm[0] == (negative ? '-' : ' '), "the short form's sign or blank", g_input, shortForm);
  CheckBody(std::string_view(plain).substr(negative ? 1 : 0), std::fabs(r), 15, 15, true, plain);
  CheckBody(std::string_view(shortForm).substr(1), std::fabs(r), 15, 15, false, shortForm);

  const auto display = CalcString::DisplayText(plain);
  Check(display && Same(Strict(*display), r), "the display text of the plain form", g_input, plain);
  Check((display->substr(0, 2) == " 0") == (r > 0 && r < 1), "the display text's prefix", g_input,
        *display);
}

void CheckSingle(float f) {
  if (!std::isfinite(f)) return;
  const std::string text = CalcString::SinglePrecisionForm(f);
  const auto strict = Strict(text);
  Check(strict && Same(Lenient(text), strict), "the single-precision form does not read back", g_input, text);
  const double v = *strict;
  if (f == 0) {
    Check(text == "0", "zero's single-precision form", g_input, text);
    return;
  }
  Check(std::fabs(v - f) <= 5.000001e-7 * std::fabs(static_cast<double>(f)), "7-digit rounding", g_input, text);
  if (f >= 0 && f < 1) Check(v < 1, "a value below 1 came back as 1", g_input, text);
  const bool negative = f < 0;
  Check((text[0] == '-') == negative, "the single-precision form's sign", g_input, text);
  CheckBody(std::string_view(text).substr(negative ? 1 : 0), std::fabs(v), 7, 7, true, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  g_input = text;
  CheckReadings(text);
  if (const auto value = Strict(text)) {
    CheckForms(*value);
    if (std::fabs(*value) <= std::numeric_limits<float>::max()) CheckSingle(static_cast<float>(*value));
  }
  if (size >= sizeof(double)) {
    double d = 0;
    std::memcpy(&d, data, sizeof d);
    CheckForms(d);
  }
  if (size >= sizeof(float)) {
    float f = 0;
    std::memcpy(&f, data, sizeof f);
    CheckSingle(f);
  }
  return 0;
}
