// The reference engine's inner parts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "basic_text.h"

namespace Reference {

// Empty, a double, a 32-bit whole number (from "mod"), or a text.
using Value = std::variant<std::monostate, double, std::int32_t, Text>;

Text ToText(const Value& value);
double ToNumber(const Value& value);

inline bool IsOperator(char32_t c) {
  return c == U'+' || c == U'-' || c == U'*' || c == U'/' || c == U'^';
}

// An operand's value: every leading "-" negates once, the rest is read
// strictly.
double ReadOperand(const Text& operand);

// Does the "+" or "-" at `i` belong to an exponent form that began at
// `start` ("1E-05", "1.5e+20"): digits with at most one "." from `start`, an
// "E" or "e" in front of it, a digit behind it.
bool IsExponentSign(const Text& s, long start, long i);

// The "^" operation.
double Power(double base, double exponent);

Value CalcExpression(const Text& expression);
Value CalcFunction(const Text& argument, const Text& name);

float NextRandom();

std::optional<Text> DecodeUtf8(std::string_view bytes);
std::string EncodeUtf8(const Text& text);

}  // namespace Reference
