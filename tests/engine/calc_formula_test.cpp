#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillo/calc_string.h"

namespace CalcString {
namespace {

constexpr const char* kGeneric = ">> 公式有误或为空";
constexpr const char* kNoClose = ">>表达式缺右括号：)";
constexpr const char* kNoOpen = ">>表达式缺左括号：(";

struct Call {
  std::string prompt;
  int style;
  std::string title;
};

// Evaluates with a box that records every call.
struct Recorder {
  std::vector<Call> calls;
  std::string Evaluate(std::string_view formula) {
    return ToText(CalcFormula(formula, [this](const std::string& p, int s, const std::string& t) {
      calls.push_back({p, s, t});
    }));
  }
};

struct Case {
  const char* formula;
  const char* result;  // the value, or the message
};

TEST(CalcFormula, Results) {
  const Case cases[] = {
      {"2*sin(30)+(1+2)^2", "7.02393675181428"},
      {"power(2,10)", "1024"},
      {"round(2.345,2)", "2.35"},
      {"-5+3", "-2"},
      {"（1+2）*3", "9"},         {"（1+2)*3", "9"},        {"2*(3+4)", "14"},
      {"(1+2)^2", "9"},           {"(1+2)^2+1", "10"},      {"(1+2)^2^3", "729"},
      {"2^(1+1)", "4"},           {"sin(cos(0))", "0.841470984807897"},
      {"pi()", "3.14159265358979"}, {"PI()*2", "6.28318530717958"},
      {"1E-05*2", "2E-05"},       {"1.5E+20/1E+20", "1.5"},
      {"１＋２", "3"},            {"ｓｉｎ（１）", "0.841470984807897"},
      {"1 + 2", "3"},             {"sin (30)", "-0.988031624092862"},
      {"1+ sin(30)", ".011968375907138"},
      {"007", "007"},
      {"power(2,sin(30))", "0.504165175949485"},
      {"round(pi(),2)", "3.14"},  {"mod(7,(3))", "1"},      {"power((2)^3,2)", "64"},
      {"Asin(1)", "1.5707963267949"}, {"Acos(-1)", "3.14159265358979"},
      {"Acos(0.99999999)", "0.000141421356710465"},
      {"(117.92)^-3", "6.09870446377586E-07"}, {"cos(123456789012345)^2", "0.641609444043971"},
      {"(2)^-1", "0.5"},          {"(2)^(-1)", "0.5"},      {"(10)^1E+1", "10000000000"},
      {"--2", "2"},               {"-(-2)", "2"},           {"2*-(-3)", "6"},
      {"2---3", "-1"},            {"1/3*3", ".999999999999999"}, {"0.1+0.2", ".3"},
      {"2^3^2", "64"},            {"-2^2", "4"},            {"round(1.005,2)", "1"},
      {"(1E+16)+1", "1E+16"},     {"((((((1))))))", "1"},   {"mod(10,4)^2", "4"},
      {"\t1\r\n+\u30002", "3"},
      {"1E-320*1", "9.99988867182683E-321"},  // 15 digits of a subnormal value
      // What may follow a group: an operator, ")", "," or the end.
      {"(2)^3^2", "64"},          {"power((2),3)", "8"},    {"((1))", "1"},
      {"(1+2) *3", "9"},          {"（２）＊３", "6"},
  };
  for (const auto& c : cases) {
    Recorder r;
    EXPECT_EQ(r.Evaluate(c.formula), c.result) << c.formula;
    EXPECT_TRUE(r.calls.empty()) << c.formula;
  }
}

TEST(CalcFormula, Messages) {
  const Case cases[] = {
      {"", kGeneric},        {"1+", kGeneric},       {"3*", kGeneric},     {"(2)^", kGeneric},
      {"   ", kGeneric},     {"1+ ", kGeneric},      {"abc", kGeneric},    {"2**3", kGeneric},
      {"2*+3", kGeneric},    {"*2", kGeneric},       {"+3", kGeneric},     {"pi*2", kGeneric},
      {"2a+3", kGeneric},    {"(2*3+)", kGeneric},   {"power(2,3,4)", kGeneric},
      {"((1+2)", kNoClose},  {"(1+2))", kNoOpen},    {"(", kNoClose},      {")(", kGeneric},
      {"()", kGeneric},      {"1/0", kGeneric},      {"sqrt(-1)", kGeneric},
      {"Asin(2)", kGeneric}, {"(2)^0.5^(1/0)", kGeneric},
      {"2(3)", ">> 暂不支持函数：2"},  {"foo(1)", ">> 暂不支持函数：foo"},
      {"Foo(1)+bar(2)", ">> 暂不支持函数：bar"},  // the last "(" first
      {"sin(1/0)+bar(2)", ">> 暂不支持函数：bar"},
      {"bar(2)+sin(1/0)", kGeneric},
      {"π(1)", ">> 暂不支持函数：π"},
      {"(1+2)(3)", ">> 暂不支持函数：2)"},  // ")" does not end a name
      {"\xff", kGeneric},    {"1+\xc3(", kGeneric},  {"\xed\xa0\x80", kGeneric},
      {"(-8)^(1/3)", kGeneric}, {"1E400", kGeneric}, {"(1E300)^2", kGeneric},
      // A group whose plain form cannot be read back fails only where it is
      // read, after the groups in front of it.
      {"foo(1)*(1.7976931348623157E+308)", ">> 暂不支持函数：foo"},
      // A group's value is spliced in as text: what follows must not join
      // its digits. Blanks are gone and full-width forms ASCII by then.
      {"(1+2)3", kGeneric},  {"(2)3.5", kGeneric},    {"Pi()2", kGeneric},
      {"sin()3.017E-0", kGeneric}, {"Sin()30", kGeneric}, {"(2).", kGeneric},
      {"(2)E+1", kGeneric},  {"(2) 3", kGeneric},     {"（２）３", kGeneric},
      {"3912(3).46", ">> 暂不支持函数：3912"},  // the name is checked first
  };
  for (const auto& c : cases) {
    Recorder r;
    EXPECT_EQ(r.Evaluate(c.formula), c.result) << c.formula;
    ASSERT_EQ(r.calls.size(), 1u) << c.formula;
    EXPECT_EQ(r.calls[0].prompt, std::string(c.result) + "\r\n\r\n        请输入或修改……");
    EXPECT_EQ(r.calls[0].title, "错误提示");
    EXPECT_EQ(r.calls[0].style, 0);
  }
}

TEST(CalcFormula, PositionLimits) {
  // The ")" of the last group must stand at 32,766 at the latest, so "(2)"
  // may open at 32,764 but not at 32,765.
  std::string groups;
  for (int i = 0; i < 8190; ++i) groups += "(0)+";
  Recorder r;
  EXPECT_EQ(r.Evaluate("12+" + groups + "(2)"), "14");
  EXPECT_EQ(r.Evaluate("123+" + groups + "(2)"), kGeneric);
  // Its ")" at 32,766 is fine, at 32,767 not; a power needs one more.
  EXPECT_EQ(r.Evaluate("(" + std::string(32764, '0') + ")"), "0");
  EXPECT_EQ(r.Evaluate("(" + std::string(32765, '0') + ")"), kGeneric);
  EXPECT_EQ(r.Evaluate("(" + std::string(32763, '0') + "1)^2"), kGeneric);
  EXPECT_EQ(r.Evaluate("(" + std::string(32762, '0') + "1)^2"), "1");
  // More than 32,767 brackets: the generic message, not the balance message.
  EXPECT_EQ(r.Evaluate(std::string(32768, '(')), kGeneric);
  EXPECT_EQ(r.Evaluate(std::string(32767, '(')), kNoClose);
  // Positions count characters, not bytes: 20,000 Chinese characters are
  // 60,000 bytes but leave the "(" at position 20,001.
  std::string wide;
  for (int i = 0; i < 20000; ++i) wide += "中";
  EXPECT_EQ(r.Evaluate(wide + "(1)"), ">> 暂不支持函数：" + wide);
}

TEST(CalcFormula, HugeInputsEndInAnAnswer) {
  Recorder r;
  EXPECT_EQ(r.Evaluate(std::string(1 << 20, '(')), kGeneric);
  EXPECT_EQ(r.Evaluate(std::string(1 << 19, '(') + std::string(1 << 19, ')')), kGeneric);
  std::string groups;
  for (int i = 0; i < 8000; ++i) groups += "(1)+";
  groups += "1";
  EXPECT_EQ(r.Evaluate(groups), "8001");
  std::string nested;
  for (int i = 0; i < 8000; ++i) nested += "sin(";
  nested += "1" + std::string(8000, ')');
  EXPECT_EQ(r.Evaluate(nested).substr(0, 4), "0.01");
  std::string sum = "(1)";
  for (int i = 0; i < 300000; ++i) sum += "+1";
  EXPECT_EQ(r.Evaluate(sum), "300001");
  EXPECT_EQ(r.calls.size(), 2u);
}

TEST(CalcFormula, BoxIsOptional) {
  EXPECT_EQ(ToText(CalcFormula("1/0", nullptr)), kGeneric);
}

}  // namespace
}  // namespace CalcString
