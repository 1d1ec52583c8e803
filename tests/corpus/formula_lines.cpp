// formula-lines: writes the differential corpora as lines of text, for
// programs that take formulas line by line (quillo-eval, and quillo-eval.exe
// under Wine, whose answers must be the same byte for byte):
//
//   formula-lines [short|long|maths]...   (all three when none is named)
//
// short: the differential test's random formulas, same seed and count;
// long: the families at the position limits and the long random formulas;
// maths: sin, cos, tan, Asin, Acos and power with tiny, ordinary and huge
// arguments, where C runtimes differ most.
//
// A formula may itself hold a line break (the generator's blanks include
// CR and LF): it then makes two lines, which both programs read alike.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "formula_families.h"
#include "formula_generator.h"

namespace {

void Put(const std::string& formula) {
  std::fwrite(formula.data(), 1, formula.size(), stdout);
  std::fputc('\n', stdout);
}

void Short() {
  QuilloCorpus::FormulaGenerator generator(QuilloCorpus::kCorpusSeed);
  for (int i = 0; i < 40000; ++i) Put(generator.Next());
}

void Long() {
  for (const auto& info : QuilloCorpus::AllFamilies()) {
    Put(QuilloCorpus::BuildFamily(info.family, 32767));
    Put(QuilloCorpus::BuildFamily(info.family, 32771));
  }
  QuilloCorpus::FormulaGenerator generator(QuilloCorpus::kCorpusSeed + 1);
  for (int i = 0; i < 60; ++i) Put(generator.NextLong());
}

// A number as the calculator writes exponents ("1.5E+20"), shortest form.
std::string Number(double x) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, x).ptr;
  std::string out(text, end);
  const auto e = out.find('e');
  if (e != std::string::npos) {
    out[e] = 'E';
    if (out[e + 1] != '-' && out[e + 1] != '+') out.insert(e + 1, "+");
  }
  return out;
}

void Maths() {
  std::uint64_t state = QuilloCorpus::kCorpusSeed + 2;
  auto bits = [&state] {  // splitmix64, as the generator
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  };
  // Mantissa in [1, 10), decimal exponent from `low` to `high`, either sign.
  auto value = [&bits](int low, int high) {
    const double mantissa = 1 + static_cast<double>(bits() % 9'000'000'000'000'000ull) / 1e15;
    const int exponent = low + static_cast<int>(bits() % static_cast<std::uint64_t>(high - low + 1));
    const double x = std::stod("1E" + std::to_string(exponent)) * mantissa;
    return bits() % 4 == 0 ? -x : x;
  };
  for (int i = 0; i < 2500; ++i) {
    for (const char* f : {"sin", "cos", "tan"}) Put(std::string(f) + "(" + Number(value(-300, 300)) + ")");
    Put("power(" + Number(std::abs(value(-3, 3))) + "," + Number(value(-2, 1)) + ")");
    Put(Number(std::abs(value(-5, 5))) + "^" + Number(value(-2, 0)));
    Put("Asin(" + Number(value(-17, -1) / 1.5) + ")");
    Put("Acos(" + Number(value(-17, -1) / 1.5) + ")");
  }
  // Whole numbers, where the reduction of the argument is the whole work.
  for (int i = 0; i < 1000; ++i) {
    const std::uint64_t n = bits() >> (11 + bits() % 40);
    Put("sin(" + std::to_string(n) + ")");
    Put("cos(" + std::to_string(n) + ")");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool all = argc < 2;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "short") != 0 && std::strcmp(argv[i], "long") != 0 &&
        std::strcmp(argv[i], "maths") != 0) {
      std::fprintf(stderr, "usage: formula-lines [short|long|maths]...\n");
      return 2;
    }
  }
  auto wanted = [&](const char* name) {
    if (all) return true;
    for (int i = 1; i < argc; ++i)
      if (std::strcmp(argv[i], name) == 0) return true;
    return false;
  };
  if (wanted("short")) Short();
  if (wanted("long")) Long();
  if (wanted("maths")) Maths();
  return std::fflush(stdout) == 0 ? 0 : 1;
}
