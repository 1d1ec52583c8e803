// Tab completion of the function names.
#include "formula_completion.h"

#include <gtest/gtest.h>

namespace quillo_eval {
namespace {

struct CompletionCase {
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
        CompletionCase{"po", false, 2, "power(", {}},
        CompletionCase{"PO", false, 2, "power(", {}},                    // any case
        CompletionCase{"1+sQ", false, 2, "sqrt(", {}},                   // only the letters
        CompletionCase{"asin", false, 4, "Asin(", {}},                   // a whole name
        CompletionCase{"2*si", true, 2, "sin", {}},                      // "(" already there
        CompletionCase{"ra", false, 2, "rand(", {}},
        CompletionCase{"r", false, 1, "r", {"rand", "round"}},           // several
        CompletionCase{"A", false, 1, "A", {"abs", "Asin", "Acos"}},     // typed case stays
        CompletionCase{"ac", false, 2, "Acos(", {}},
        CompletionCase{"3*(", false, 0, "", kAll},                       // nothing typed
        CompletionCase{"pow3", false, 0, "", kAll},                      // a digit ends names
        CompletionCase{"x", false, 0, "", {}},                           // no such name
        CompletionCase{"powers", false, 0, "", {}},
        CompletionCase{"（po", false, 2, "power(", {}},                  // after UTF-8
        CompletionCase{"ｐｏ", false, 2, "power(", {}},                  // full-width letters
        CompletionCase{"１＋ｓＱ", false, 2, "sqrt(", {}},
        CompletionCase{"ｓｉ", true, 2, "sin", {}},
        CompletionCase{"ｒ", false, 1, "r", {"rand", "round"}},
        CompletionCase{"pＯ", false, 2, "power(", {}}));

}  // namespace
}  // namespace quillo_eval
