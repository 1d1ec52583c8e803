#include "bar_report.h"

#include <cstdio>
#include <ostream>

#include "formula_families.h"

namespace QuilloBench {
namespace {

constexpr double kFamilyBarNs = 2e6;
constexpr double kRatioBar = 2.3;
constexpr double kWorkedExampleBarNs = 2000;
constexpr double kWindowRatioBar = 1.5;

double ToNs(double value, benchmark::TimeUnit unit) {
  switch (unit) {
    case benchmark::kSecond: return value * 1e9;
    case benchmark::kMillisecond: return value * 1e6;
    case benchmark::kMicrosecond: return value * 1e3;
    default: return value;
  }
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
  auto median = [this](const std::string& name) -> const Median* {
    const auto it = medians_.find(name);
    return it == medians_.end() ? nullptr : &it->second;
  };

  out << "\nBars (medians of this run: real time, CPU time in brackets)\n";
  if (const Median* m = median("CalcFormula/WorkedExample")) {
    const bool met = m->realNs <= kWorkedExampleBarNs;
    allMet = allMet && met;
    char line[200];
    std::snprintf(line, sizeof line, "  %-26s %9.1f ns (%9.1f)  %34s %s\n", "CalcFormula/WorkedExample",
                  m->realNs, m->cpuNs, "", met ? "met (<= 2 us)" : "MISSED (<= 2 us)");
    out << line;
  }
  for (const auto& info : QuilloCorpus::AllFamilies()) {
    const std::string base = "Family/" + std::string(info.name);
    const Median* limit = median(base + "/32767");
    const Median* half = median(base + "/16383");
    if (!limit || !half) continue;  // filtered out of this run
    const double ratio = limit->realNs / half->realNs;
    const bool met = limit->realNs <= kFamilyBarNs && ratio <= kRatioBar;
    allMet = allMet && met;
    char line[240];
    std::snprintf(line, sizeof line,
                  "  %-26s %9.1f us (%9.1f)  half %8.1f us (%8.1f)  ratio %4.2f (%4.2f)  %s\n",
                  base.c_str(), limit->realNs / 1e3, limit->cpuNs / 1e3, half->realNs / 1e3,
                  half->cpuNs / 1e3, ratio, limit->cpuNs / half->cpuNs,
                  met ? "met (<= 2000 us, <= 2.3)" : "MISSED (<= 2000 us, <= 2.3)");
    out << line;
  }
  const Median* empty = median("Window/Enter/0");
  const Median* full = median("Window/Enter/100000");
  if (empty && full) {
    const double ratio = full->realNs / empty->realNs;
    const bool met = ratio <= kWindowRatioBar;
    allMet = allMet && met;
    char line[240];
    std::snprintf(line, sizeof line,
                  "  %-26s %9.1f us (%9.1f)  empty %7.1f us (%8.1f)  ratio %4.2f (%4.2f)  %s\n",
                  "Window/Enter/100000", full->realNs / 1e3, full->cpuNs / 1e3, empty->realNs / 1e3,
                  empty->cpuNs / 1e3, ratio, full->cpuNs / empty->cpuNs,
                  met ? "met (<= 1.5 x empty)" : "MISSED (<= 1.5 x empty)");
    out << line;
  }
  return allMet;
}

}  // namespace QuilloBench
