// The engine's transcendental functions beside the C runtime's, on the same
// arguments in the same run: what answers that are the same everywhere cost.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "quillo/real_math.h"

namespace {

// 64 arguments of a formula's kind: 15 significant digits, 0.001 to 1000.
std::vector<double> Arguments(double scale) {
  std::vector<double> out;
  double v = 0.001234567890123;
  for (int i = 0; i < 64; ++i, v *= 1.2345) out.push_back(std::fmod(v, 1000) * scale);
  return out;
}

template <double (*Fn)(double)>
void BM_One(benchmark::State& state, double scale) {
  const std::vector<double> args = Arguments(scale);
  for (auto _ : state) {
    for (double x : args) benchmark::DoNotOptimize(Fn(x));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(args.size()));
}

template <double (*Fn)(double, double)>
void BM_Power(benchmark::State& state, double exponent) {
  const std::vector<double> args = Arguments(0.01);
  for (auto _ : state) {
    for (double x : args) benchmark::DoNotOptimize(Fn(x, exponent));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(args.size()));
}

double Sin(double x) { return std::sin(x); }
double Asin(double x) { return std::asin(x); }
double Pow(double x, double y) { return std::pow(x, y); }

const bool registered = [] {
  benchmark::RegisterBenchmark("RealMath/Sin", BM_One<RealMath::Sin>, 1.0);
  benchmark::RegisterBenchmark("Runtime/Sin", BM_One<Sin>, 1.0);
  benchmark::RegisterBenchmark("RealMath/Asin", BM_One<RealMath::Asin>, 0.001);
  benchmark::RegisterBenchmark("Runtime/Asin", BM_One<Asin>, 0.001);
  benchmark::RegisterBenchmark("RealMath/Power7", BM_Power<RealMath::Pow>, 7.0);
  benchmark::RegisterBenchmark("Runtime/Power7", BM_Power<Pow>, 7.0);
  benchmark::RegisterBenchmark("RealMath/Power2.5", BM_Power<RealMath::Pow>, 2.5);
  benchmark::RegisterBenchmark("Runtime/Power2.5", BM_Power<Pow>, 2.5);
  return true;
}();

}  // namespace
