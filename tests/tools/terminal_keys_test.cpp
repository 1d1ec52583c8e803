// The key decoder: terminals' sequences to the bound canonical forms.
#include "terminal_keys.h"

#include <gtest/gtest.h>

namespace quillo_eval {
namespace {

struct KeyCase {
  const char* name;
  std::string bytes;
  std::wstring passed;  // what the editor reads
};

class KeyDecoderTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyDecoderTest, Decodes) {
  KeyDecoder decoder;
  std::wstring out;
  for (const char c : GetParam().bytes) decoder.Feed(static_cast<unsigned char>(c), out);
  EXPECT_EQ(out, GetParam().passed);
  // Every sequence passed on is one the session binds.
  for (std::size_t at = out.find(L'\033'); at != std::wstring::npos; at = out.find(L'\033', at + 1)) {
    bool bound = false;
    for (const KeyBinding& key : kKeyBindings) {
      const std::string s = key.sequence;
      bound = bound || out.compare(at, s.size(), std::wstring(s.begin(), s.end())) == 0;
    }
    EXPECT_TRUE(bound || out.size() == at + 2) << "at " << at;  // or Alt and a key
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyDecoderTest,
    ::testing::Values(
        KeyCase{"Text", "1+（２）", L"1+（２）"},
        KeyCase{"CtrlLeftXterm", "1\033[1;5D2", L"1\033[1;5D2"},
        KeyCase{"AltLeft", "\033[1;3D", L"\033[1;5D"},
        KeyCase{"AltLeftAsEscPrefix", "\033\033[D", L"\033[1;5D"},
        KeyCase{"CtrlRightRxvt", "\033Oc", L"\033[1;5C"},
        KeyCase{"ShiftLeftIsLeft", "\033[1;2D", L"\033[D"},
        KeyCase{"ApplicationCursor", "\033OA\033OD", L"\033[A\033[D"},
        KeyCase{"HomeInEveryForm", "\033[H\033OH\033[1~\033[7~", L"\033[H\033[H\033[H\033[H"},
        KeyCase{"EndInEveryForm", "\033[F\033OF\033[4~\033[8~", L"\033[F\033[F\033[F\033[F"},
        KeyCase{"DeleteAndCtrlDelete", "\033[3~\033[3;5~\033[3^", L"\033[3~\033[3;5~\033[3;5~"},
        KeyCase{"KeysOfNoUseTypeNothing", "1\033[15~\033[2~\033[5;5~\033OP\033[200~\033[?1;2c\033[24;3R2",
                L"12"},
        KeyCase{"KeypadDigits", "\033Oq\033Ok\033Or", L"1+2"},
        KeyCase{"AltAndALetter", "\033b", L"\033b"},
        KeyCase{"ByteOrderMarkOpeningTheInput", "\xef\xbb\xbf" "1", L"1"},
        KeyCase{"ByteOrderMarkLater", "1\xef\xbb\xbf", L"1\xfeff"},
        KeyCase{"NotUtf8", "3+\xff\xfe" "3\xe4\xb8+", L"3+\xdcff\xdcfe" L"3\xdce4\xdcb8+"},
        KeyCase{"Surrogate", "\xed\xa0\x80", L"\xdced\xdca0\xdc80"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyDecoder, LinesComeBackAsTyped) {
  for (const std::string text : {"1+（２）", "3+\xff\xfe" "3", "\xe4\xb8", "\xed\xa0\x80"})
    EXPECT_EQ(EncodeLine(DecodeLine(text)), text);
}

}  // namespace
}  // namespace quillo_eval
