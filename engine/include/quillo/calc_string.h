// The formula evaluation engine.
//
// A formula is UTF-8 text such as "2*sin(30)+(1+2)^2". CalcFormula reduces
// its bracket groups innermost first (through CalcFunction) and hands what is
// left to the arithmetic evaluator CalcExpression. Every failure is reported
// once, through the message box the caller passes in, and the message text is
// returned in place of a result.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace CalcString {

// The engine's generic value: empty, a double, a 32-bit whole number (from
// "mod") or a text.
using Value = std::variant<std::monostate, double, std::int32_t, std::string>;

// Raised by the evaluator, the function library and the number readings;
// CalcFormula is the one place that catches it.
class CalcError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The platform's modal message box: prompt, style, title. Returns when closed.
using MessageBox =
    std::function<void(const std::string& prompt, int style, const std::string& title)>;

inline constexpr int kStyleOkOnly = 0;  // one OK button, no icon

inline constexpr std::string_view kMessageGeneric = ">> 公式有误或为空";
inline constexpr std::string_view kMessageMissingClose = ">>表达式缺右括号：)";
inline constexpr std::string_view kMessageMissingOpen = ">>表达式缺左括号：(";
inline constexpr std::string_view kMessageUnsupported = ">> 暂不支持函数：";  // + name
inline constexpr std::string_view kErrorTitle = "错误提示";
inline constexpr std::string_view kErrorHint = "        请输入或修改……";

// Evaluates a whole formula. On success returns the evaluator's value for the
// reduced formula (always a number text) and never calls `box`. On failure
// calls `box` exactly once with the message, two line breaks and the hint,
// then returns the message as a text.
Value CalcFormula(std::string_view source, const MessageBox& box);

// Evaluates a bracket-free expression. Returns the empty value for an empty
// text, the text itself (blanks trimmed) when it holds no operator, otherwise
// the short form of the computed value. Throws CalcError.
Value CalcExpression(std::string_view expression);

// Evaluates one bracket group: `argument` is the text between the brackets,
// `name` what stood in front of them. An unknown name comes back as a text
// equal to the name. Throws CalcError.
Value CalcFunction(std::string_view argument, std::string_view name);

// Generic value to text: empty -> "", double -> plain form, whole number ->
// its digits, text unchanged.
std::string ToText(const Value& value);

// Generic value to number: empty -> 0, text by the strict reading (throws).
double ToNumber(const Value& value);

// The result box's text for a result text: " 0" in front of values strictly
// between 0 and 1, " " otherwise, then the short form without its blanks.
// Empty when the result text is not a number (an engine message, say).
std::optional<std::string> DisplayText(std::string_view result);

// Starts the pseudo-random sequence of "rand" again from its fixed seed.
void ResetRandom();

}  // namespace CalcString
