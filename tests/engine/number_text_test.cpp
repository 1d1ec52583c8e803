#include "quillo/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "quillo/calc_string.h"

namespace CalcString {
namespace {

struct FormCase {
  double value;
  const char* plain;
  const char* shortForm;
};

TEST(NumberText, PlainAndShortForms) {
  const FormCase cases[] = {
      {0.5, "0.5", " .5"},
      {-0.5, "-0.5", "-.5"},
      {14, "14", " 14"},
      {0, "0", " 0"},
      {-0.0, "0", " 0"},
      {-0.25, "-0.25", "-.25"},
      {1.0 / 3, "0.333333333333333", " .333333333333333"},
      {0.1 + 0.2, "0.3", " .3"},
      {2.5, "2.5", " 2.5"},
      {123456789012345, "123456789012345", " 123456789012345"},
      {999999999999999.4, "999999999999999", " 999999999999999"},
      {999999999999999.6, "1E+15", " 1E+15"},  // rounding decides the form
      {1e15, "1E+15", " 1E+15"},
      {1.5e20, "1.5E+20", " 1.5E+20"},
      {123456789012345678.0, "1.23456789012346E+17", " 1.23456789012346E+17"},
      {0.0001, "0.0001", " .0001"},
      {0.00001, "1E-05", " 1E-05"},
      {-0.000012345, "-1.2345E-05", "-1.2345E-05"},
      {1e-300, "1E-300", " 1E-300"},
      {1e100, "1E+100", " 1E+100"},
      {-7.02393675181428, "-7.02393675181428", "-7.02393675181428"},
      {100, "100", " 100"},
      {0.000123, "0.000123", " .000123"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlainForm(c.value), c.plain) << c.value;
    EXPECT_EQ(ShortForm(c.value), c.shortForm) << c.value;
  }
}

TEST(NumberText, FormsRoundTheExactValue) {
  // Ties at the 16th digit go to the even one; subnormal values keep 15
  // digits; the largest double is written even though its 15 digits lie
  // beyond the double range (reading them back fails, writing never does).
  const FormCase cases[] = {
      {123456789012345.5, "123456789012346", " 123456789012346"},
      {123456789012344.5, "123456789012344", " 123456789012344"},
      {1234567890123455.0, "1.23456789012346E+15", " 1.23456789012346E+15"},
      {1e-320, "9.99988867182683E-321", " 9.99988867182683E-321"},
      {4.9406564584124654E-324, "4.94065645841247E-324", " 4.94065645841247E-324"},
      {2.2250738585072014E-308, "2.2250738585072E-308", " 2.2250738585072E-308"},
      {std::numeric_limits<double>::max(), "1.79769313486232E+308", " 1.79769313486232E+308"},
      {-std::numeric_limits<double>::max(), "-1.79769313486232E+308", "-1.79769313486232E+308"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlainForm(c.value), c.plain) << c.value;
    EXPECT_EQ(ShortForm(c.value), c.shortForm) << c.value;
  }
  EXPECT_EQ(Round15(1e-320), StrictRead(std::string_view("9.99988867182683E-321")));
}

TEST(NumberText, SinglePrecisionForm) {
  EXPECT_EQ(SinglePrecisionForm(0.1234567f), "0.1234567");
  EXPECT_EQ(SinglePrecisionForm(0.99999994f), "0.9999999");  // largest float below 1
  EXPECT_EQ(SinglePrecisionForm(5.9604645e-08f), "5.960464E-08");
  EXPECT_EQ(SinglePrecisionForm(12345678.0f), "1.234568E+07");
  EXPECT_EQ(SinglePrecisionForm(0.0f), "0");
}

struct ReadCase {
  const char* text;
  double value;
};

TEST(NumberText, StrictReadAccepts) {
  const ReadCase cases[] = {
      {" 5 ", 5},     {"+5", 5},          {".5", 0.5},      {"5.", 5},
      {"1.50", 1.5},  {"1E-05", 0.00001}, {"-6", -6},       {"1e3", 1000},
      {"007", 7},     {"2.5E+2", 250},    {"-.25", -0.25},  {"1E-400", 0},
      {"0.1", 0.1},   {"4.9406564584124654E-324", 4.9406564584124654E-324},
  };
  for (const auto& c : cases) EXPECT_EQ(StrictRead(std::string_view(c.text)), c.value) << c.text;
}

TEST(NumberText, StrictReadRejects) {
  for (const char* text : {"", " ", "-", "+", "abc", "inf", "nan", "infinity", "0x10", "1,5",
                           "1_000", "1e", "e5", "1.5.2", "--2", "1E+", ". ", ".", "1 2", "5-",
                           "1E400", "-1E400", "１", "1e5x"}) {
    EXPECT_THROW(StrictRead(std::string_view(text)), CalcError) << text;
  }
}

TEST(NumberText, LenientRead) {
  const ReadCase cases[] = {
      {"3+", 3},        {"", 0},   {"abc", 0},       {"-3", -3},    {"1E", 1},
      {"1E-05", 1e-05}, {".5", 0.5}, {"1.5.2", 1.5}, {"-", 0},      {"  42x", 42},
      {"1E+", 1},       {"2e3e4", 2000}, {"+.5", 0.5},
  };
  for (const auto& c : cases) EXPECT_EQ(LenientRead(std::string_view(c.text)), c.value) << c.text;
  EXPECT_THROW(LenientRead(std::string_view("1E999")), CalcError);
}

TEST(NumberText, Round15IsWhatTheFormsWrite) {
  std::mt19937_64 rng(20261208);
  std::uniform_real_distribution<double> mantissa(-1, 1);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 20000; ++i) {
    const double v = std::ldexp(mantissa(rng), exponent(rng));
    const double r = Round15(v);
    // The strict reading of either form gives back the 15-digit value...
    ASSERT_EQ(StrictRead(PlainForm(v)), r) << v;
    ASSERT_EQ(StrictRead(ShortForm(v)), r) << v;
    // ...and a 15-digit value is written the same again.
    ASSERT_EQ(PlainForm(r), PlainForm(v)) << v;
  }
  EXPECT_THROW(Round15(std::numeric_limits<double>::max()), CalcError);
}

}  // namespace
}  // namespace CalcString
