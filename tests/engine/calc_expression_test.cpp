#include <gtest/gtest.h>

#include <string>

#include "quillo/calc_string.h"

namespace CalcString {
namespace {

struct Case {
  const char* expression;
  const char* result;
};

TEST(CalcExpression, EmptyTextIsTheEmptyValue) {
  EXPECT_TRUE(std::holds_alternative<std::monostate>(CalcExpression("")));
  // Blanks only: the empty text, not the empty value.
  EXPECT_EQ(std::get<std::string>(CalcExpression("   ")), "");
}

TEST(CalcExpression, Values) {
  const Case cases[] = {
      {"5", "5"},       {"-5", "-5"},     {"1.50", "1.50"},  {"007", "007"}, {"abc", "abc"},
      {"2+3*4", "14"},  {"1+2^3*4", "33"}, {"7-2*3^2/6", "4"}, {"2^3^2", "64"},
      {"8/4/2", "1"},   {"8-2-1", "5"},   {"2-3+4", "3"},    {"-2^2", "4"},
      {"2*-3", "-6"},   {"2--3", "5"},    {"2^-1", ".5"},    {"10/4", "2.5"},
      {"1/2", ".5"},    {"-1/2", "-.5"},  {"1/3", ".333333333333333"},
      {"1/3*3", ".999999999999999"},      {"0.1+0.2", ".3"},
      // "/" binds tighter than "*", "-" tighter than "+"
      {"6/2*3", "9"},   {"2*3/4", "1.5"}, {"1-2+3", "2"},
      // exponent forms stay whole
      {"1E-05*2", "2E-05"},               {"1.5E+20/1E+20", "1.5"}, {"1E-05", "1E-05"},
      {"2e+3+1", "2001"},
      // a run of signs negates once per sign
      {"--2", "2"},     {"---2", "-2"},   {"2---3", "-1"},   {"2*--3", "6"},
      {"0^0", "1"},     {"-2^3", "-8"},   {"1E300*1E-300", "1"},
      {"1E-200*1E-200", "0"},  // underflow is no failure
      {" 2+3 ", "5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToText(CalcExpression(c.expression)), c.result) << c.expression;
  }
}

TEST(CalcExpression, Failures) {
  for (const char* expression :
       {"1/0", "0/0", "-", "--", "2*-", "*2", "+3", "2**3", "2*+3", "pi*2", "2a+3", "3+", "2,",
        "3,4", "1+2,3", "(-8)^0.5", "-8^0.5", "0^-1", "1E300*1E300", "1E308+1E308", "10^400",
        "1E308*10", "2+", "^2", "1..2+1"}) {
    EXPECT_THROW(CalcExpression(expression), CalcError) << expression;
  }
}

TEST(CalcExpression, ScanPositionLimit) {
  // The scan position may not pass 32,767. (An operand in front of an
  // operator meets the limit on the postfix text's first "," sooner.)
  EXPECT_EQ(ToText(CalcExpression(std::string(32767, '0'))), std::string(32767, '0'));
  EXPECT_THROW(CalcExpression(std::string(32768, '0')), CalcError);
}

TEST(CalcExpression, FirstCommaOfThePostfixTextLimit) {
  // "A+B" is the postfix text "A B,+": its first "," stands at
  // len(A) + len(B) + 2, which must stay below 32,767.
  auto one = [](std::size_t length) { return std::string(length - 1, '0') + "1"; };
  EXPECT_EQ(ToText(CalcExpression(one(16382) + "+" + one(16382))), "2");
  EXPECT_THROW(CalcExpression(one(16382) + "+" + one(16383)), CalcError);
  // Operands waiting for a looser operator count too: "A+B^1" reduces "^" first.
  EXPECT_THROW(CalcExpression(one(16000) + "+" + one(16000) + "^" + one(800)), CalcError);
  // A flat sum reduces as it goes and never comes near the limit.
  std::string sum = "1";
  for (int i = 0; i < 20000; ++i) sum += "+1";
  EXPECT_EQ(ToText(CalcExpression(sum)), "20001");
}

}  // namespace
}  // namespace CalcString
