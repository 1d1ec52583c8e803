// The window's toolkit sets the process locale from the environment. Nothing
// the engine reads or writes may follow it.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "quillo/calc_string.h"
#include "quillo/number_text.h"

namespace CalcString {
namespace {

class CommaLocale : public ::testing::Test {
protected:
  void SetUp() override {
    // Its name on Linux, then on Windows.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "German_Germany.1252")) {
      GTEST_FAIL() << "the de_DE.UTF-8 locale is missing (scripts/install-deps test makes it)";
    }
    // Prove the locale is in force: the C library now writes a comma.
    char buf[16];
    std::snprintf(buf, sizeof buf, "%.1f", 0.5);
    ASSERT_STREQ(buf, "0,5");
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(CommaLocale, NumbersStayWithThePoint) {
  EXPECT_EQ(ToText(CalcFormula("1/2", nullptr)), ".5");
  EXPECT_EQ(StrictRead(std::string_view("0.5")), 0.5);
  EXPECT_EQ(LenientRead(std::string_view("0,5")), 0);
  EXPECT_THROW(StrictRead(std::string_view("0,5")), CalcError);
  EXPECT_EQ(PlainForm(2.5), "2.5");
  EXPECT_EQ(DisplayText("0.25").value_or(""), " 0.25");
  EXPECT_EQ(ToText(CalcFormula("2*sin(30)+(1+2)^2", nullptr)), "7.02393675181428");
}

}  // namespace
}  // namespace CalcString
