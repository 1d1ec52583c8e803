#include "bar_report.h"

#include <cstdio>
#include <ostream>

#include "formula_families.h"

namespace QuilloBench {
namespace {

double ToNs(double value, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kSecond: return value * 1e9;
    case benchmark::kMillisecond: return value * 1e6;
    case benchmark::kMicrosecond: return value * 1e3;
    default: return value;
  }
}

// One bar: the median of `subject` at most `limit` times that of `yardstick`,
// which the table names `against`; figures shown in `unit`.
struct Bar {
  std::string subject, yardstick;
  const char* against;
  double limit;
  const char* unit;
};

double NsPer(const char* unit) {
  const std::string u = unit;
  return u == "ms" ? 1e6 : u == "us" ? 1e3 : 1;
}

std::vector<Bar> Bars() {
  std::vector<Bar> bars{{"CalcFormula/WorkedExample", "Reference/WorkedExample", "reference", 0.5, "ns"}};
  for (const auto& info : QuilloCorpus::AllFamilies()) {
    const std::string base = "Family/" + std::string(info.name);
    bars.push_back({base + "/32767", base + "/16383", "half", 2.3, "us"});
  }
  bars.push_back({"Window/Enter/100000", "Window/Enter/0", "empty", 1.5, "us"});
  // Long formulas: 31.25 if linear.
  for (const char* action : {"Window/LongPaste", "Window/LongEnter", "Window/LongEnterLongHistory"}) {
    bars.push_back({std::string(action) + "/1000000", std::string(action) + "/32000", "32000", 40, "ms"});
  }
  for (const char* length : {"32000", "320000", "1000000"}) {
    bars.push_back({std::string("Window/LongEnterLongHistory/") + length,
                    std::string("Window/LongEnter/") + length, "empty", 1.5, "ms"});
  }
  return bars;
}

}  // namespace

void BarReporter::ReportRuns(const std::vector<Run>& reports) {
  ConsoleReporter::ReportRuns(reports);
  for (const Run& run : reports) {
    if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
      medians_[run.run_name.str()] = {ToNs(run.GetAdjustedRealTime(), run.time_unit),
                                      ToNs(run.GetAdjustedCPUTime(), run.time_unit)};
    }
  }
}

bool BarReporter::PrintBars(std::ostream& out) const {
  bool allMet = true;
  out << "\nBars (medians of this run: real time, CPU time in brackets)\n";
  for (const Bar& bar : Bars()) {
    const auto subject = medians_.find(bar.subject);
    const auto yardstick = medians_.find(bar.yardstick);
    if (subject == medians_.end() || yardstick == medians_.end()) continue;  // filtered out
    const Median& s = subject->second;
    const Median& y = yardstick->second;
    const double ratio = s.realNs / y.realNs;
    const bool met = ratio <= bar.limit;
    allMet = allMet && met;
    const double per = NsPer(bar.unit);
    char line[300];
    std::snprintf(line, sizeof line,
                  "  %-34s %9.1f %s (%9.1f)  %s %7.1f %s (%8.1f)  ratio %5.2f (%5.2f)  %s (<= %g x %s)\n",
                  bar.subject.c_str(), s.realNs / per, bar.unit, s.cpuNs / per, bar.against,
                  y.realNs / per, bar.unit, y.cpuNs / per, ratio, s.cpuNs / y.cpuNs,
                  met ? "met" : "MISSED", bar.limit, bar.against);
    out << line;
  }
  return allMet;
}

}  // namespace QuilloBench
