// A seeded generator of formulas for the differential test: mostly
// well-formed formulas from the calculator's grammar (numbers in every form,
// operators and sign runs, brackets with powers (or stray operands) behind
// them, the thirteen function names in mixed case, unknown names, commas),
// some of them then spoilt (blanks, full-width forms, junk bytes, invalid
// UTF-8, a character dropped, doubled or moved), and long formulas placed on
// and around the 32,767-position limits. The same seed gives the same
// formulas on every machine: the generator uses no library distribution.
#pragma once

#include <cstdint>
#include <string>

namespace QuilloCorpus {

// The seed of the differential corpora.
inline constexpr std::uint64_t kCorpusSeed = 0x51'75'69'6C'6C'6Full;

class FormulaGenerator {
public:
  explicit FormulaGenerator(std::uint64_t seed) : state_(seed) {}

  // A formula of up to a few hundred characters.
  std::string Next();

  // A formula of thousands of characters, or one near the position limits.
  std::string NextLong();

private:
  std::uint64_t Bits();
  std::size_t Below(std::size_t n);
  bool Chance(int percent) { return Below(100) < static_cast<std::size_t>(percent); }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }

  void Expression(std::string& out, int depth);
  void Operand(std::string& out, int depth);
  void Number(std::string& out);
  void Call(std::string& out, int depth);
  void PowerSuffix(std::string& out, int depth);
  void Glued(std::string& out);
  std::string FunctionName();
  void Spoil(std::string& formula);
  std::string NearLimit();

  std::uint64_t state_;
  // A rough formula may hold broken numbers, unknown names, doubled
  // operators and wrong argument counts; a smooth one only what evaluates
  // unless the arithmetic fails.
  bool rough_ = false;
};

}  // namespace QuilloCorpus
