#include "bar_report.h"

#include <cstdio>
#include <ostream>

#include "formula_families.h"

namespace QuilloBench {
namespace {

constexpr double kFamilyBarNs = 2e6;
constexpr double kRatioBar = 2.3;
constexpr double kWorkedExampleBarNs = 2000;

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
      medianNs_[run.run_name.str()] = ToNs(run.GetAdjustedRealTime(), run.time_unit);
    }
  }
}

bool BarReporter::PrintBars(std::ostream& out) const {
  bool allMet = true;
  auto median = [this](const std::string& name) -> const double* {
    const auto it = medianNs_.find(name);
    return it == medianNs_.end() ? nullptr : &it->second;
  };

  out << "\nBars (medians of this run)\n";
  if (const double* ns = median("CalcFormula/WorkedExample")) {
    const bool met = *ns <= kWorkedExampleBarNs;
    allMet = allMet && met;
    char line[200];
    std::snprintf(line, sizeof line, "  %-26s %10.1f ns %26s %s\n", "CalcFormula/WorkedExample", *ns,
                  "", met ? "met (<= 2 us)" : "MISSED (<= 2 us)");
    out << line;
  }
  for (const auto& info : QuilloCorpus::AllFamilies()) {
    const std::string base = "Family/" + std::string(info.name);
    const double* limit = median(base + "/32767");
    const double* half = median(base + "/16383");
    if (!limit || !half) continue;  // filtered out of this run
    const double ratio = *limit / *half;
    const bool met = *limit <= kFamilyBarNs && ratio <= kRatioBar;
    allMet = allMet && met;
    char line[200];
    std::snprintf(line, sizeof line, "  %-26s %10.1f us  half %9.1f us  ratio %5.2f   %s\n",
                  base.c_str(), *limit / 1e3, *half / 1e3, ratio,
                  met ? "met (<= 2000 us, <= 2.3)" : "MISSED (<= 2000 us, <= 2.3)");
    out << line;
  }
  return allMet;
}

}  // namespace QuilloBench
