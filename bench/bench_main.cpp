// quillo-bench: the engine and window benchmarks, then the bar table. Prints the
// machine's load before and after, since other work on the machine moves the
// figures. Exit status 1 when a bar was missed.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iostream>
#include <string>

#include "bar_report.h"
#include "window_bench.h"

namespace {

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string line;
  std::getline(in, line);
  return line.empty() ? "unknown" : line;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  QuilloBench::WindowBenchEnvironment window(argc, argv);
  std::cout << "load before: " << LoadAverage() << "\n";
  QuilloBench::BarReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::cout << "load after:  " << LoadAverage() << "\n";
  return reporter.PrintBars(std::cout) ? 0 : 1;
}
