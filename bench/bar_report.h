// A console reporter that also keeps the median of every benchmark and, at
// the end, sets them against the performance bars, each a ratio of two
// medians of the same run so that it holds from one machine to the next:
// each pathological family at the limit at most 2.3 times its time at half
// the limit, the worked example at most half the reference engine's time on
// it, an Enter in the window with 100,000 history entries at most 1.5 times
// one with an empty history; the long-formula actions at 1,000,000
// characters at most 40 times their cost at 32,000, and Enter with a long
// history at most 1.5 times Enter with none. The absolute figures are printed
// for the record.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace QuilloBench {

class BarReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& reports) override;

  // Prints the bar table; false when a bar was missed. Bars whose medians
  // the run lacks (benchmarks filtered out) are left out.
  bool PrintBars(std::ostream& out) const;

private:
  struct Median {
    double realNs;
    double cpuNs;
  };
  std::map<std::string, Median> medians_;  // by run name
};

}  // namespace QuilloBench
