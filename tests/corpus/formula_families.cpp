#include "formula_families.h"

namespace QuilloCorpus {
namespace {

// The pieces joined: `head`, `count` times `piece`, `middle`, `count` times
// `closing`.
std::string Nest(std::string_view head, std::string_view piece, std::size_t count,
                 std::string_view middle = {}, std::string_view closing = {}) {
  std::string out(head);
  out.reserve(head.size() + count * (piece.size() + closing.size()) + middle.size());
  for (std::size_t i = 0; i < count; ++i) out.append(piece);
  out.append(middle);
  for (std::size_t i = 0; i < count; ++i) out.append(closing);
  return out;
}

}  // namespace

const std::vector<FamilyInfo>& AllFamilies() {
  static const std::vector<FamilyInfo> families{
      {Family::kFlatSum, "FlatSum"},         {Family::kNestedBrackets, "NestedBrackets"},
      {Family::kManyGroups, "ManyGroups"},   {Family::kNestedCalls, "NestedCalls"},
      {Family::kPowerChain, "PowerChain"},   {Family::kLongName, "LongName"},
      {Family::kLongNumber, "LongNumber"},   {Family::kDeepTwoArgument, "DeepTwoArgument"},
  };
  return families;
}

std::string BuildFamily(Family family, std::size_t length) {
  switch (family) {
    case Family::kFlatSum: {
      // n ones: 2n - 1 characters.
      const std::size_t n = (length + 1) / 2;
      return Nest("1", "+1", n - 1);
    }
    case Family::kNestedBrackets: {
      // k levels: 2k + 1 characters; each group is reduced once the text has
      // shrunk, so the innermost ")" at k + 2 is the farthest one.
      const std::size_t k = (length - 1) / 2;
      return Nest("", "(", k, "1", ")");
    }
    case Family::kManyGroups: {
      // n groups: 4n - 1 characters. The last group is reduced first, at its
      // own place, so its ")" must leave room for the position behind it.
      const std::size_t n = length / 4;
      return Nest("(1)", "+(1)", n - 1);
    }
    case Family::kNestedCalls: {
      // k levels: 5k + 1 characters.
      const std::size_t k = (length - 1) / 5;
      return Nest("", "sin(", k, "1", ")");
    }
    case Family::kPowerChain: {
      // m powers: 3 + 2m characters.
      const std::size_t m = (length - 3) / 2;
      return Nest("(2)", "^1", m);
    }
    case Family::kLongName: {
      // A name of n letters: n + 3 characters, the ")" one short of the end.
      return Nest("", "a", length - 4, "(1)");
    }
    case Family::kLongNumber: {
      std::string out = "1.";
      while (out.size() < length) out.push_back(static_cast<char>('0' + (out.size() % 10)));
      return out;
    }
    case Family::kDeepTwoArgument: {
      // k levels: 9k + 1 characters.
      const std::size_t k = (length - 1) / 9;
      return Nest("", "power(", k, "1", ",1)");
    }
  }
  return {};
}

}  // namespace QuilloCorpus
