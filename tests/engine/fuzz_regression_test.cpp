// Inputs that the fuzz targets found breaking one of the engine's promises,
// each kept as found, with what the engine now answers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillo/calc_string.h"
#include "quillo/number_text.h"

namespace CalcString {
namespace {

constexpr const char* kGeneric = ">> 公式有误或为空";

struct Found {
  const char* formula;
  const char* result;  // the value text, or the message
  bool message;        // whether the error box is shown
};

TEST(FuzzRegression, Formulas) {
  const Found cases[] = {
      // The largest double was a result whose display text, rounded to 15
      // digits, lies beyond the double range; in brackets it already failed.
      {"1.7976931348623157E+308", kGeneric, true},
      {"(1.7976931348623157E+308)", kGeneric, true},
      {"-1.7976931348623157E+308", kGeneric, true},
      {"1.79769313486231E+308", "1.79769313486231E+308", false},
  };
  for (const auto& c : cases) {
    int calls = 0;
    const std::string result =
        ToText(CalcFormula(c.formula, [&calls](const std::string&, int, const std::string&) { ++calls; }));
    EXPECT_EQ(result, c.result) << c.formula;
    EXPECT_EQ(calls, c.message ? 1 : 0) << c.formula;
    if (!c.message) {
      // What the result box would show reads back as the rounded result.
      const auto display = DisplayText(result);
      ASSERT_TRUE(display.has_value()) << c.formula;
      EXPECT_EQ(StrictRead(*display), Round15(StrictRead(result))) << c.formula;
    }
  }
}

}  // namespace
}  // namespace CalcString
