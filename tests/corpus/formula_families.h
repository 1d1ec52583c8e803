// Formulas that stress one shape each: long sums, deep brackets, many groups,
// nested calls, power chains, long names, long numbers, deep two-argument
// calls. Each is built as long as the 32,767-position limit allows for a
// given length budget, so that a family can be measured at the limit and at
// half of it, and fed to the differential test near the limit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace QuilloCorpus {

enum class Family {
  kFlatSum,        // 1+1+…+1
  kNestedBrackets, // ((…(1)…))
  kManyGroups,     // (1)+(1)+…+(1)
  kNestedCalls,    // sin(sin(…(1)…))
  kPowerChain,     // (2)^1^1…^1
  kLongName,       // aaaa…(1)
  kLongNumber,     // 1.2345678901…
  kDeepTwoArgument // power(power(…(1,1)…,1),1)
};

struct FamilyInfo {
  Family family;
  std::string_view name;  // CamelCase, for benchmark names
};

// Every family, in a fixed order.
const std::vector<FamilyInfo>& AllFamilies();

// The largest formula of the family that is at most `length` characters long
// and whose positions all stay within the 16-bit limits when its last
// character stands at `length` (so a group's ")" never ends the text at the
// limit itself).
std::string BuildFamily(Family family, std::size_t length);

}  // namespace QuilloCorpus
