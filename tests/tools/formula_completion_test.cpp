// Tab completion of the function names.
#include "formula_completion.h"

#include <gtest/gtest.h>

namespace quillo_eval {
namespace {

struct CompletionCase {
  const char* name;
  const char* before;
  bool openAfter;
  std::size_t replace;
  const char* insert;
  std::vector<std::string_view> candidates;
};

class CompletionTest : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(CompletionTest, Completes) {
  const CompletionCase& c = GetParam();
  const Completion got = CompleteFunctionName(c.before, c.openAfter);
  EXPECT_EQ(got.replace, c.replace);
  EXPECT_EQ(got.insert, c.insert);
  EXPECT_EQ(got.candidates, c.candidates);
}

const std::vector<std::string_view> kAll(std::begin(kFunctionNames), std::end(kFunctionNames));

INSTANTIATE_TEST_SUITE_P(
    Table, CompletionTest,
    ::testing::Values(
        CompletionCase{"Prefix", "po", false, 2, "power(", {}},
        CompletionCase{"AnyCase", "PO", false, 2, "power(", {}},
        CompletionCase{"OnlyTheLetters", "1+sQ", false, 2, "sqrt(", {}},
        CompletionCase{"WholeName", "asin", false, 4, "Asin(", {}},
        CompletionCase{"ParenthesisAlreadyThere", "2*si", true, 2, "sin", {}},
        CompletionCase{"Rand", "ra", false, 2, "rand(", {}},
        CompletionCase{"Several", "r", false, 1, "r", {"rand", "round"}},
        CompletionCase{"TypedCaseStays", "A", false, 1, "A", {"abs", "Asin", "Acos"}},
        CompletionCase{"Acos", "ac", false, 2, "Acos(", {}},
        CompletionCase{"NothingTyped", "3*(", false, 0, "", kAll},
        CompletionCase{"DigitEndsNames", "pow3", false, 0, "", kAll},
        CompletionCase{"NoSuchName", "x", false, 0, "", {}},
        CompletionCase{"LongerThanAnyName", "powers", false, 0, "", {}},
        CompletionCase{"AfterUtf8", "（po", false, 2, "power(", {}},
        CompletionCase{"FullWidthLetters", "ｐｏ", false, 2, "power(", {}},
        CompletionCase{"FullWidthOnlyTheLetters", "１＋ｓＱ", false, 2, "sqrt(", {}},
        CompletionCase{"FullWidthParenthesisAlreadyThere", "ｓｉ", true, 2, "sin", {}},
        CompletionCase{"FullWidthSeveral", "ｒ", false, 1, "r", {"rand", "round"}},
        CompletionCase{"MixedWidths", "pＯ", false, 2, "power(", {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillo_eval
