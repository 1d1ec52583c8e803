// Control characters in output that echoes the input.
#include "visible_text.h"

#include <gtest/gtest.h>

namespace quillo_eval {
namespace {

struct VisibleCase {
  const char* name;
  std::string text;
  std::string shown;
};

class VisibleTextTest : public ::testing::TestWithParam<VisibleCase> {};

TEST_P(VisibleTextTest, Escapes) { EXPECT_EQ(VisibleText(GetParam().text), GetParam().shown); }

INSTANTIATE_TEST_SUITE_P(
    Table, VisibleTextTest,
    ::testing::Values(
        VisibleCase{"NothingToDo", ">> 暂不支持函数：foo", ">> 暂不支持函数：foo"},
        VisibleCase{"OscRetitling", "a\x1b]0;PWNED\x07", "a\\x1B]0;PWNED\\x07"},
        VisibleCase{"Osc52Clipboard", "\x1b]52;c;aGk=\x1b\\", "\\x1B]52;c;aGk=\\x1B\\"},
        VisibleCase{"C0AndDel", std::string("\0\x1f\x7f", 3), "\\x00\\x1F\\x7F"},
        VisibleCase{"C1", "\xc2\x9b" "2J\xc2\x80\xc2\x9f\xc2\xa0", "\\u009B2J\\u0080\\u009F\xc2\xa0"},
        VisibleCase{"NotUtf8", "\xff\xc2", "\\xFF\\xC2"},
        VisibleCase{"FullWidthAndBackslash", "（１）\\", "（１）\\"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillo_eval
