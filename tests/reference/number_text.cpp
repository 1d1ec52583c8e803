#include "number_text.h"

#include <charconv>
#include <string>
#include <system_error>

namespace Reference {
namespace {

// A number's text as found: sign, the digits (without the point), how many
// of them stand before the point, and the exponent's value.
struct Found {
  bool negative = false;
  std::string digits;
  long beforePoint = 0;
  long long exponent = 0;
  long end = 0;  // the position after the number
};

// Reads a number shape from `position`. An exponent counts only with digits;
// `exponentRequired` makes an "E" without digits a non-number instead.
bool Find(const Text& s, long position, bool exponentRequired, Found& out) {
  long p = position;
  if (At(s, p) == U'+' || At(s, p) == U'-') {
    out.negative = At(s, p) == U'-';
    ++p;
  }
  bool point = false;
  for (;; ++p) {
    const char32_t c = At(s, p);
    if (IsDigit(c)) {
      out.digits.push_back(static_cast<char>(c));
      if (!point) ++out.beforePoint;
    } else if (c == U'.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (out.digits.empty()) return false;
  if (At(s, p) == U'E' || At(s, p) == U'e') {
    long q = p + 1;
    bool minus = false;
    if (At(s, q) == U'+' || At(s, q) == U'-') {
      minus = At(s, q) == U'-';
      ++q;
    }
    if (IsDigit(At(s, q))) {
      for (; IsDigit(At(s, q)); ++q) {
        if (out.exponent < 1'000'000'000'000LL) out.exponent = out.exponent * 10 + (At(s, q) - U'0');
      }
      if (minus) out.exponent = -out.exponent;
      p = q;
    } else if (exponentRequired) {
      return false;
    }
  }
  out.end = p;
  return true;
}

double Value(const Found& f) {
  const auto first = f.digits.find_first_not_of('0');
  if (first == std::string::npos) return f.negative ? -0.0 : 0.0;
  // digits × 10^(exponent − digits after the point)
  const long long scale = f.exponent - static_cast<long long>(f.digits.size() - f.beforePoint);
  const std::string text = f.digits + "e" + std::to_string(scale);
  double value = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range) {
    const long long magnitude = f.beforePoint - 1 - static_cast<long long>(first) + f.exponent;
    if (magnitude < 0) return f.negative ? -0.0 : 0.0;
    throw Failure("beyond the double range");
  }
  if (ec != std::errc() || ptr != text.data() + text.size()) throw Failure("unreadable");
  return f.negative ? -value : value;
}

long SkipBlanks(const Text& s, long p) {
  while (At(s, p) == U' ') ++p;
  return p;
}

Text General(double value, int digits) {
  char buf[64];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
  Text out;
  for (const char* p = buf; p != end; ++p) out.push_back(*p == 'e' ? U'E' : static_cast<char32_t>(*p));
  return out;
}

}  // namespace

double StrictRead(const Text& text) {
  Found f;
  if (!Find(text, SkipBlanks(text, 1), true, f)) throw Failure("not a number");
  if (SkipBlanks(text, f.end) != Len(text) + 1) throw Failure("not a number");
  return Value(f);
}

double LenientRead(const Text& text) {
  Found f;
  if (!Find(text, SkipBlanks(text, 1), false, f)) return 0;
  return Value(f);
}

Text PlainForm(double value) {
  if (value == 0) return U"0";
  return General(value, 15);
}

Text ShortForm(double value) {
  const Text plain = PlainForm(value);
  const bool negative = plain[0] == U'-';
  Text magnitude = negative ? plain.substr(1) : plain;
  if (magnitude.size() > 1 && magnitude[0] == U'0' && magnitude[1] == U'.') magnitude.erase(0, 1);
  return (negative ? U"-" : U" ") + magnitude;
}

Text SinglePrecisionForm(float value) {
  if (value == 0) return U"0";
  return General(static_cast<double>(value), 7);
}

}  // namespace Reference
