#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form/form.h"

namespace Quillo::Form {
namespace {

using Kind = EnterOutcome::Kind;

TEST(Enter, Table) {
  struct Case {
    const char* formula;
    Kind kind;
    const char* text;
    const char* entry;  // Shown: the history's second line
  };
  const Case cases[] = {
      {"1+2", Kind::Shown, " 3", " 3 = 1+2"},
      {"007", Kind::Shown, " 7", " 7 = 007"},
      {"1/2", Kind::Shown, " 0.5", " 0.5 = 1/2"},
      {"-1/2", Kind::Shown, " -.5", " -.5 = -1/2"},
      {"2*sin(30)+(1+2)^2", Kind::Shown, " 7.02393675181428", " 7.02393675181428 = 2*sin(30)+(1+2)^2"},
      // A line break of the formula is one blank in its history line.
      {"1+2\n3", Kind::Shown, " 24", " 24 = 1+2 3"},
      {"1+2\r\n3", Kind::Shown, " 24", " 24 = 1+2 3"},
      {"1+2\r3", Kind::Shown, " 24", " 24 = 1+2 3"},
      {"1+2\n\n3", Kind::Shown, " 24", " 24 = 1+2  3"},
      {"（１＋２）＊３", Kind::Shown, " 9", " 9 = （１＋２）＊３"},
      {"abc", Kind::Rejected, ">> 公式有误或为空", ""},
      {"", Kind::Rejected, ">> 公式有误或为空", ""},
      {"1+", Kind::Rejected, ">> 公式有误或为空", ""},
      {"1/0", Kind::Rejected, ">> 公式有误或为空", ""},
      {"(1+2", Kind::Rejected, ">>表达式缺右括号：)", ""},
      {"foo(1)", Kind::Rejected, ">> 暂不支持函数：foo", ""},
  };
  for (const Case& c : cases) {
    const EnterOutcome outcome = Enter(c.formula);
    EXPECT_EQ(outcome.kind, c.kind) << c.formula;
    EXPECT_EQ(outcome.text, c.text) << c.formula;
    if (c.kind == Kind::Shown) {
      EXPECT_EQ(outcome.history[0], HistorySeparator()) << c.formula;
      EXPECT_EQ(outcome.history[1], c.entry) << c.formula;
    } else {
      EXPECT_EQ(outcome.history[0] + outcome.history[1], "") << c.formula;
    }
    if (c.kind == Kind::Rejected) {
      const std::vector<std::string> box = {c.text, "", std::string(kErrorHint)};
      EXPECT_EQ(outcome.error_box, box) << c.formula;
    } else {
      EXPECT_TRUE(outcome.error_box.empty()) << c.formula;
    }
  }
}

TEST(Enter, HistoryFormulaHasNoLineBreak) {
  const std::pair<const char*, const char*> cases[] = {
      {"1\r\n+\r2\n", "1 + 2 "}, {"\n\n1", "  1"}, {"1\u0085+\u20292\v+\f3\u2028", "1 + 2 + 3 "},
      {"（１）\r\n\n", "（１）  "}, {"\r\r\n", "  "},
  };
  for (const auto& [formula, shown] : cases) EXPECT_EQ(HistoryFormula(formula), shown);
  EXPECT_EQ(HistorySeparator(), "－－－－－－－－－－－－－－－－－");
}

// An unknown name holding a line break: the box gets one line for each part.
TEST(Enter, MessageLinesAreSplitByTheForm) {
  const EnterOutcome outcome = Enter("a\u2028b(1)");
  ASSERT_EQ(outcome.kind, Kind::Rejected);
  EXPECT_EQ(outcome.text, ">> 暂不支持函数：a\u2028b");
  const std::vector<std::string> box = {">> 暂不支持函数：a", "b", "", std::string(kErrorHint)};
  EXPECT_EQ(outcome.error_box, box);
}

TEST(InsertEntry, Table) {
  struct Case {
    const char* formula;
    std::size_t at;
    const char* entry;
    const char* result;  // the caret is then at its end
  };
  const Case cases[] = {
      {"1+", 2, "Sin(): 正弦值", "1+Sin()"},
      {"2*3", 2, "Power(): 求幂", "2*Power()3"},
      {"1+23", 2, "Abs(): 绝对值", "1+Abs()23"},
      {"", 0, "Pi(): π值", "Pi()"},
      {"", 0, "Mod() : 取余数", "Mod()"},
      {"（１）", 3, "Acos(): 反余弦值", "（Acos()１）"},
  };
  for (const Case& c : cases) {
    const auto edit = InsertEntry(c.formula, c.at, c.entry);
    ASSERT_TRUE(edit.has_value()) << c.entry;
    EXPECT_EQ(edit->formula, c.result);
    EXPECT_EQ(edit->caret, edit->formula.size());
  }
  EXPECT_FALSE(InsertEntry("1", 0, "no bracket").has_value());
  EXPECT_FALSE(InsertEntry("1", 2, "Abs(): 绝对值").has_value());
}

TEST(CopiedResult, Table) {
  const std::pair<const char*, const char*> cases[] = {
      {" 0.5", "0.5"}, {" -.5", "-.5"}, {"", ""}, {"   ", ""}, {" 12 ", "12"}, {"\t1 ", "\t1"},
  };
  for (const auto& [result, copied] : cases) EXPECT_EQ(CopiedResult(result), copied) << result;
}

// Every entry inserts a call that the engine knows; the controls stand inside
// the client area and apart, but for the "=" button's twin under it.
TEST(Layout, EntriesAndControls) {
  for (std::string_view entry : kFunctionEntries) {
    const auto call = InsertedCall(entry);
    ASSERT_TRUE(call.has_value()) << entry;
    EXPECT_EQ(Enter("0*" + *call).text.find("暂不支持"), std::string::npos) << entry;
  }
  const auto overlap = [](const Twips& a, const Twips& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
  };
  for (const Control* a : kControls) {
    EXPECT_LE(a->place.left + a->place.width, kClient.width) << a->name;
    EXPECT_LE(a->place.top + a->place.height, kClient.height) << a->name;
    for (const Control* b : kControls) {
      if (a == b || a == &kAN || b == &kAN) continue;
      EXPECT_FALSE(overlap(a->place, b->place)) << a->name << " " << b->name;
    }
  }
  EXPECT_EQ(Px(kClient.width) * kTwipsPerPixel, kClient.width);
  EXPECT_EQ(Px(kClient.height) * kTwipsPerPixel, kClient.height);
}

}  // namespace
}  // namespace Quillo::Form
