#include <string>

#include "quillo/calc_string.h"
#include "quillo/number_text.h"

namespace CalcString {

std::string ToText(const Value& value) {
  if (const auto* d = std::get_if<double>(&value)) return PlainForm(*d);
  if (const auto* i = std::get_if<std::int32_t>(&value)) return std::to_string(*i);
  if (const auto* s = std::get_if<std::string>(&value)) return *s;
  return {};
}

double ToNumber(const Value& value) {
  if (const auto* d = std::get_if<double>(&value)) return *d;
  if (const auto* i = std::get_if<std::int32_t>(&value)) return *i;
  if (const auto* s = std::get_if<std::string>(&value)) return StrictRead(*s);
  return 0.0;
}

}  // namespace CalcString
