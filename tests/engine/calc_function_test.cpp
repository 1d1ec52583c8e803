#include <gtest/gtest.h>

#include <set>
#include <string>

#include "quillo/calc_string.h"
#include "quillo/number_text.h"

namespace CalcString {
namespace {

struct Case {
  const char* argument;
  const char* name;
  const char* result;  // the value as text
};

TEST(CalcFunction, Values) {
  const Case cases[] = {
      {"", "pi", "3.14159265358979"},
      {"1+*", "PI", "3.14159265358979"},  // the argument is not looked at
      {"-3", "abs", "3"},       {"-2.5", "int", "-3"},     {"2.7", "Int", "2"},
      {"0", "sqrt", "0"},       {"2", "SQRT", "1.4142135623731"},
      {"30", "sin", "-0.988031624092862"},
      {"", "sin", "0"},         {"", "cos", "1"},          {"", "abs", "0"},
      {"", "Acos", "1.5707963267949"},
      {"0.5", "asin", "0.523598775598299"}, {"1/2", "Asin", "0.523598775598299"},
      {"0.5", "ACOS", "1.0471975511966"},   {"1", "Asin", "1.5707963267949"},
      {"-1", "asin", "-1.5707963267949"},   {"1", "acos", "0"},
      {"-1", "Acos", "3.14159265358979"},   {"0.99999999", "Acos", "0.000141421356710465"},
      {"1", "tan", "1.5574077246549"},
      // Large angles keep their whole argument reduction; a power rounded once.
      {"123456789012345", "cos", "0.801005270921466"},
      {"2527897106923", "sin", "0.0193270126055674"},
      {"1E22", "tan", "-1.6287782256069"},  {"-0", "sin", "0"},
      {"117.92,-3", "power", "6.09870446377586E-07"},
      {"1E-310,0.5", "power", "9.99999999999999E-156"},  // a subnormal's square root
      {"0,0", "power", "1"},    {"-2,-3", "power", "-0.125"},  {"2,0.5", "power", "1.4142135623731"},
      {"19,6.7", "mod", "5"},   {"-19,6.7", "mod", "-5"},  {"19,-6.7", "mod", "5"},
      {"12.6,5", "Mod", "3"},   {"7.5,2", "mod", "0"},     {"6.5,4", "mod", "2"},
      {"-2147483648,-1", "mod", "0"},  {"2147483647,2", "mod", "1"},
      {"2,10", "power", "1024"}, {"-2,3", "power", "-8"},  {"2,", "power", "1"},
      {",3", "power", "0"},
      {"0.125,2", "round", "0.12"}, {"0.375,2", "round", "0.38"}, {"2.5,0", "round", "2"},
      {"3.5,0", "round", "4"},  {"-2.5,0", "round", "-2"},  {"1.005,2", "round", "1"},
      {"1250,-2", "round", "1200"}, {"2.5,", "round", "2"}, {"2.345,2", "round", "2.35"},
      {"2+3", "", "5"},         {"007", "", "007"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToText(CalcFunction(c.argument, c.name)), c.result)
        << c.name << "(" << c.argument << ")";
  }
}

TEST(CalcFunction, ModGivesAWholeNumber) {
  EXPECT_TRUE(std::holds_alternative<std::int32_t>(CalcFunction("7,3", "mod")));
}

TEST(CalcFunction, UnknownNamesComeBackUnchanged) {
  for (const char* name : {"foo", "Foo", "2", " sin", "sin ", "2,sin", "sinh", "si", "π"}) {
    EXPECT_EQ(std::get<std::string>(CalcFunction("1", name)), name);
  }
  EXPECT_TRUE(std::holds_alternative<std::monostate>(CalcFunction("", "")));
}

TEST(CalcFunction, Failures) {
  const std::pair<const char*, const char*> cases[] = {
      {"-1", "sqrt"},   {"   ", "sin"},  {"abc", "cos"},   {"1.5", "asin"}, {"-1.01", "acos"},
      {"1+", "abs"},    {"1/0", ""},     {"2", "power"},   {"2", "mod"},    {"2", "round"},
      {"7,0.5", "mod"}, {"3000000000,7", "mod"}, {"7,", "mod"}, {"7,   ", "mod"},
      {"-8,0.5", "power"}, {"10,400", "power"}, {"0,-1", "power"}, {"2,3,4", "power"},
      {"1,400", "round"}, {"1,-400", "round"}, {"1E300,10", "round"},
  };
  for (const auto& [argument, name] : cases) {
    EXPECT_THROW(CalcFunction(argument, name), CalcError) << name << "(" << argument << ")";
  }
}

TEST(CalcFunction, RandIsASevenDigitFractionFromAFixedSequence) {
  ResetRandom();
  std::vector<std::string> first;
  std::set<std::string> distinct;
  for (int i = 0; i < 5000; ++i) {
    const std::string text = ToText(CalcFunction("ignored(", "rand"));
    const double v = StrictRead(text);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 1);
    const std::string mantissa = text.substr(0, text.find('E'));
    std::string digits;
    for (char c : mantissa) {
      if (c >= '0' && c <= '9' && !(digits.empty() && c == '0')) digits.push_back(c);
    }
    ASSERT_LE(digits.size(), 7u) << text;
    first.push_back(text);
    distinct.insert(text);
  }
  EXPECT_GT(distinct.size(), 4900u);
  ResetRandom();
  for (const auto& expected : first) ASSERT_EQ(ToText(CalcFunction("", "RAND")), expected);
}

}  // namespace
}  // namespace CalcString
