// The result box's display-text rule and the two readings of a number text,
// each on its own.
#include <benchmark/benchmark.h>

#include <string_view>

#include "quillo/calc_string.h"
#include "quillo/number_text.h"

namespace {

void BM_DisplayText(benchmark::State& state, std::string_view result) {
  for (auto _ : state) {
    auto text = CalcString::DisplayText(result);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK_CAPTURE(BM_DisplayText, Whole, std::string_view("7.02393675181428"))
    ->Name("DisplayText/7.02393675181428");
BENCHMARK_CAPTURE(BM_DisplayText, Fraction, std::string_view(".5"))->Name("DisplayText/.5");

void BM_StrictRead(benchmark::State& state, std::string_view text) {
  for (auto _ : state) benchmark::DoNotOptimize(CalcString::StrictRead(text));
}
BENCHMARK_CAPTURE(BM_StrictRead, Plain, std::string_view("-0.988031624092862"))
    ->Name("StrictRead/-0.988031624092862");
BENCHMARK_CAPTURE(BM_StrictRead, Exponent, std::string_view("1.5E+20"))->Name("StrictRead/1.5E+20");

void BM_LenientRead(benchmark::State& state, std::string_view text) {
  for (auto _ : state) benchmark::DoNotOptimize(CalcString::LenientRead(text));
}
BENCHMARK_CAPTURE(BM_LenientRead, Rand, std::string_view("0.1234567"))->Name("LenientRead/0.1234567");
BENCHMARK_CAPTURE(BM_LenientRead, Trailing, std::string_view("3+4"))->Name("LenientRead/3+4");

}  // namespace
