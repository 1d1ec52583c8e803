#include <gtest/gtest.h>

#include "quillo/calc_string.h"

namespace CalcString {
namespace {

TEST(DisplayText, Table) {
  const std::pair<const char*, const char*> cases[] = {
      {"7.02393675181428", " 7.02393675181428"},
      {".5", " 0.5"},   {"0.5", " 0.5"},  {"-.5", " -.5"},  {"-0.5", " -.5"},
      {"0", " 0"},      {"-0", " 0"},     {"1", " 1"},      {"12", " 12"},
      {"007", " 7"},    {"3", " 3"},      {"2E-05", " 02E-05"},  // only the value decides
      {"1E+15", " 1E+15"}, {".999999999999999", " 0.999999999999999"},
      {"-1.5", " -1.5"}, {"1.50", " 1.5"},
  };
  for (const auto& [result, display] : cases) {
    EXPECT_EQ(DisplayText(result).value_or("(none)"), display) << result;
  }
}

TEST(DisplayText, NoneForTextsThatAreNoNumber) {
  for (const char* text : {">> 公式有误或为空", "abc", "", "1+", "--2"}) {
    EXPECT_FALSE(DisplayText(text).has_value()) << text;
  }
}

}  // namespace
}  // namespace CalcString
