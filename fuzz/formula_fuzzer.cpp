// Any bytes as a formula. For every input CalcFormula must come back with
// either a number text that the result box can show, or exactly one of the
// four messages after exactly one call of the message box; the same formula
// must give the same answer again; and the full-width twin of the formula
// (every printable ASCII character as its U+FF01..U+FF5E form, every blank as
// U+3000) must give the very same answer, since normalisation maps it back;
// and a formula that gives a number v must give -v, rounded to 15 digits,
// when written as "-(formula)".
// The last two are checked for inputs up to kRelationLimit bytes: long
// inputs are there for the position limits, and further evaluations would
// slow down their exploration.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "quillo/calc_string.h"
#include "quillo/number_text.h"

namespace {

using QuilloFuzz::Check;
using QuilloFuzz::Fail;

constexpr std::string_view kGeneric = ">> 公式有误或为空";
constexpr std::string_view kMissingClose = ">>表达式缺右括号：)";
constexpr std::string_view kMissingOpen = ">>表达式缺左括号：(";
constexpr std::string_view kUnsupported = ">> 暂不支持函数：";
constexpr std::string_view kPromptTail = "\r\n\r\n        请输入或修改……";
constexpr std::string_view kTitle = "错误提示";
constexpr std::size_t kRelationLimit = 4096;

struct Call {
  std::string prompt;
  int style;
  std::string title;
  bool operator==(const Call&) const = default;
};

struct Outcome {
  CalcString::Value value;
  std::vector<Call> calls;
};

Outcome Evaluate(std::string_view formula) {
  Outcome out;
  CalcString::ResetRandom();  // "rand" draws the same numbers on every run
  out.value = CalcString::CalcFormula(
      formula, [&out](const std::string& prompt, int style, const std::string& title) {
        out.calls.push_back({prompt, style, title});
      });
  return out;
}

bool IsFunctionName(std::string_view name) {
  static constexpr std::string_view kNames[] = {"pi",   "rand", "abs", "int",  "sqrt",  "sin",  "asin",
                                                "cos",  "acos", "tan", "mod",  "power", "round"};
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  for (const auto known : kNames) {
    if (lower == known) return true;
  }
  return false;
}

// A name as the driver cuts it from the normalised formula: not empty, no
// blank, no full-width form, none of the characters that end a name.
bool IsPossibleName(std::string_view name) {
  if (name.empty() || !QuilloFuzz::IsValidUtf8(name) || IsFunctionName(name)) return false;
  if (name.find_first_of(" \t\r\n+-*/^(,") != std::string_view::npos) return false;
  if (name.find("\u3000") != std::string_view::npos) return false;
  for (std::size_t i = 0; i + 2 < name.size(); ++i) {
    const auto b0 = static_cast<unsigned char>(name[i]);
    const auto b1 = static_cast<unsigned char>(name[i + 1]);
    const auto b2 = static_cast<unsigned char>(name[i + 2]);
    // U+FF01..U+FF3F is EF BC 81..BF, U+FF40..U+FF5E is EF BD 80..9E.
    if (b0 == 0xEF && ((b1 == 0xBC && b2 >= 0x81) || (b1 == 0xBD && b2 <= 0x9E))) return false;
  }
  return true;
}

bool IsMessage(std::string_view text) {
  if (text == kGeneric || text == kMissingClose || text == kMissingOpen) return true;
  return text.substr(0, kUnsupported.size()) == kUnsupported &&
         IsPossibleName(text.substr(kUnsupported.size()));
}

void CheckSuccess(std::string_view input, const std::string& result) {
  double value = 0;
  try {
    value = CalcString::StrictRead(result);
  } catch (const CalcString::CalcError&) {
    Fail("a result without a message is not a number", input, result);
  }
  const auto display = CalcString::DisplayText(result);
  if (!display) Fail("a number result has no display text", input, result);
  Check(display->size() >= 2 && (*display)[0] == ' ' && (*display)[1] != ' ',
        "the display text is one blank and the number", input, *display);
  try {
    const double shown = CalcString::StrictRead(*display);
    Check(shown == CalcString::Round15(value), "the display text is not the result", input, *display);
  } catch (const CalcString::CalcError&) {
    Fail("the display text is not a number", input, *display);
  }
}

void CheckFailure(std::string_view input, const Outcome& out, const std::string& result) {
  Check(IsMessage(result), "a failure returned something other than a message", input, result);
  Check(out.calls.size() == 1, "the message box was not called exactly once", input, result);
  const Call& call = out.calls.front();
  Check(call.prompt == result + std::string(kPromptTail), "the box's prompt", input, call.prompt);
  Check(call.style == 0 && call.title == kTitle, "the box's style or title", input, call.title);
}

std::string FullWidthTwin(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c > 0x20 && c < 0x7F) {
      const unsigned wide = c + 0xFEE0u;  // three bytes in UTF-8
      out.push_back(static_cast<char>(0xE0 | (wide >> 12)));
      out.push_back(static_cast<char>(0x80 | ((wide >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (wide & 0x3F)));
    } else if (c == 0x20) {
      out.append("\u3000");
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  const Outcome first = Evaluate(input);
  const auto* result = std::get_if<std::string>(&first.value);
  if (result == nullptr) Fail("the result is not a text", input);
  if (first.calls.empty()) {
    CheckSuccess(input, *result);
  } else {
    CheckFailure(input, first, *result);
  }

  const Outcome again = Evaluate(input);
  Check(again.value == first.value && again.calls == first.calls,
        "the same formula gave another answer", input, CalcString::ToText(again.value));

  if (size > kRelationLimit) return 0;
  const Outcome twin = Evaluate(FullWidthTwin(input));
  Check(twin.value == first.value && twin.calls == first.calls,
        "the full-width twin gave another answer", input, CalcString::ToText(twin.value));

  if (first.calls.empty()) {
    const Outcome negated = Evaluate("-(" + std::string(input) + ")");
    const std::string text = CalcString::ToText(negated.value);
    Check(negated.calls.empty(), "-(formula) failed where the formula gave a number", input, text);
    Check(CalcString::StrictRead(text) == -CalcString::Round15(CalcString::StrictRead(*result)),
          "-(formula) is not minus the formula's value", input, text);
  }
  return 0;
}
