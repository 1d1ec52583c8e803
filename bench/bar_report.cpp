#include "bar_report.h"

#include <cstdio>
#include <ostream>

#include "formula_families.h"

namespace QuilloBench {
namespace {

constexpr double kRatioBar = 2.3;
constexpr double kWorkedExampleRatioBar = 0.5;
constexpr double kWindowRatioBar = 1.5;
constexpr double kLongFormulaRatioBar = 40;  // 1,000,000 against 32,000 characters: 31.25 if linear

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
  const Median* worked = median("CalcFormula/WorkedExample");
  const Median* reference = median("Reference/WorkedExample");
  if (worked && reference) {
    const double ratio = worked->realNs / reference->realNs;
    const bool met = ratio <= kWorkedExampleRatioBar;
    allMet = allMet && met;
    char line[240];
    std::snprintf(line, sizeof line,
                  "  %-26s %9.1f ns (%9.1f)  ref. %7.1f ns (%8.1f)  ratio %4.2f (%4.2f)  %s\n",
                  "CalcFormula/WorkedExample", worked->realNs, worked->cpuNs, reference->realNs,
                  reference->cpuNs, ratio, worked->cpuNs / reference->cpuNs,
                  met ? "met (<= 0.5 x reference)" : "MISSED (<= 0.5 x reference)");
    out << line;
  }
  for (const auto& info : QuilloCorpus::AllFamilies()) {
    const std::string base = "Family/" + std::string(info.name);
    const Median* limit = median(base + "/32767");
    const Median* half = median(base + "/16383");
    if (!limit || !half) continue;  // filtered out of this run
    const double ratio = limit->realNs / half->realNs;
    const bool met = ratio <= kRatioBar;
    allMet = allMet && met;
    char line[240];
    std::snprintf(line, sizeof line,
                  "  %-26s %9.1f us (%9.1f)  half %8.1f us (%8.1f)  ratio %4.2f (%4.2f)  %s\n",
                  base.c_str(), limit->realNs / 1e3, limit->cpuNs / 1e3, half->realNs / 1e3,
                  half->cpuNs / 1e3, ratio, limit->cpuNs / half->cpuNs,
                  met ? "met (<= 2.3 x half)" : "MISSED (<= 2.3 x half)");
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
  // Long formulas: each action at 1,000,000 characters at most 40 times its
  // cost at 32,000, and Enter with a long history at most 1.5 times Enter
  // with an empty one, at every length.
  for (const char* action : {"Window/LongPaste", "Window/LongEnter", "Window/LongEnterLongHistory"}) {
    const std::string base = action;
    const Median* large = median(base + "/1000000");
    const Median* small = median(base + "/32000");
    if (!large || !small) continue;
    const double ratio = large->realNs / small->realNs;
    const bool met = ratio <= kLongFormulaRatioBar;
    allMet = allMet && met;
    char line[240];
    std::snprintf(line, sizeof line,
                  "  %-34s %9.1f ms (%9.1f)  32000 %7.1f ms (%8.1f)  ratio %5.1f (%5.1f)  %s\n",
                  (base + "/1000000").c_str(), large->realNs / 1e6, large->cpuNs / 1e6,
                  small->realNs / 1e6, small->cpuNs / 1e6, ratio, large->cpuNs / small->cpuNs,
                  met ? "met (<= 40 x 32000)" : "MISSED (<= 40 x 32000)");
    out << line;
  }
  for (const char* length : {"32000", "320000", "1000000"}) {
    const Median* longHistory = median(std::string("Window/LongEnterLongHistory/") + length);
    const Median* emptyHistory = median(std::string("Window/LongEnter/") + length);
    if (!longHistory || !emptyHistory) continue;
    const double ratio = longHistory->realNs / emptyHistory->realNs;
    const bool met = ratio <= kWindowRatioBar;
    allMet = allMet && met;
    char line[240];
    std::snprintf(line, sizeof line,
                  "  %-34s %9.1f ms (%9.1f)  empty %7.1f ms (%8.1f)  ratio %5.2f (%5.2f)  %s\n",
                  (std::string("Window/LongEnterLongHistory/") + length).c_str(),
                  longHistory->realNs / 1e6, longHistory->cpuNs / 1e6, emptyHistory->realNs / 1e6,
                  emptyHistory->cpuNs / 1e6, ratio, longHistory->cpuNs / emptyHistory->cpuNs,
                  met ? "met (<= 1.5 x empty)" : "MISSED (<= 1.5 x empty)");
    out << line;
  }
  return allMet;
}

}  // namespace QuilloBench
