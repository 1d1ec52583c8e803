// CalcFormula on everyday formulas and on the pathological families, each
// family at the 32,767-position limit and at half of it.
#include <benchmark/benchmark.h>

#include <string>

#include "formula_families.h"
#include "quillo/calc_string.h"
#include "reference_engine.h"

namespace {

const CalcString::MessageBox& SilentBox() {
  static const CalcString::MessageBox box = [](const std::string&, int, const std::string&) {};
  return box;
}

void EvaluateLoop(benchmark::State& state, const std::string& formula) {
  for (auto _ : state) {
    auto value = CalcString::CalcFormula(formula, SilentBox());
    benchmark::DoNotOptimize(value);
  }
  state.SetLabel(std::to_string(formula.size()) + " chars");
}

// The worked example of the formula driver.
void BM_WorkedExample(benchmark::State& state) { EvaluateLoop(state, "2*sin(30)+(1+2)^2"); }
BENCHMARK(BM_WorkedExample)->Name("CalcFormula/WorkedExample")->Unit(benchmark::kNanosecond);

// The same formula through the reference engine, a literal transcription that
// splices texts: the yardstick the engine's time is set against.
void BM_ReferenceWorkedExample(benchmark::State& state) {
  const Reference::MessageBox box = [](const std::string&, int, const std::string&) {};
  for (auto _ : state) {
    auto value = Reference::CalcFormula("2*sin(30)+(1+2)^2", box);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_ReferenceWorkedExample)->Name("Reference/WorkedExample")->Unit(benchmark::kNanosecond);

// A 100-character mix of functions, operators and powers.
constexpr const char* kMix =
    "sqrt(16)+power(2,10)/mod(17,5)-round(pi()*2,3)+abs(-3.5)*int(7.9)^2-Asin(0.5)+cos(1)*tan(0.375)-2^10";
static_assert(std::char_traits<char>::length(kMix) == 100);
void BM_FunctionMix(benchmark::State& state) { EvaluateLoop(state, kMix); }
BENCHMARK(BM_FunctionMix)->Name("CalcFormula/FunctionMix100")->Unit(benchmark::kNanosecond);

void BM_Family(benchmark::State& state, QuilloCorpus::Family family) {
  EvaluateLoop(state, QuilloCorpus::BuildFamily(family, static_cast<std::size_t>(state.range(0))));
}

// The 32,767 limit and half of it.
constexpr int kLimit = 32767;
constexpr int kHalf = kLimit / 2;

const bool registered = [] {
  for (const auto& info : QuilloCorpus::AllFamilies()) {
    benchmark::RegisterBenchmark(("Family/" + std::string(info.name)).c_str(), BM_Family, info.family)
        ->Arg(kHalf)
        ->Arg(kLimit)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
