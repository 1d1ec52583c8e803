// quillo-eval: evaluates formulas with the calculator's engine and prints one
// line for each: the result as the result box shows it, or the message.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "quillo/calc_string.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: quillo-eval [FORMULA...]\n"
    "Evaluates each FORMULA, or each line of standard input when none is given,\n"
    "and prints one line for each: the result (\" 7.02393675181428\") or the\n"
    "message of a formula that cannot be evaluated (\">> 公式有误或为空\").\n"
    "Exit status: 0 when every formula evaluated, 1 when any failed, 2 on a usage error.\n";

// Prints one formula's line; false when the formula failed.
bool EvaluateOne(std::string_view formula) {
  bool failed = false;
  const auto value = CalcString::CalcFormula(
      formula, [&failed](const std::string&, int, const std::string&) { failed = true; });
  const std::string text = CalcString::ToText(value);
  std::string line;
  if (!failed) {
    // Never empty: a formula succeeds only with a number text.
    line = CalcString::DisplayText(text).value_or(text);
  } else {
    line = text;
  }
  line.push_back('\n');
  std::fwrite(line.data(), 1, line.size(), stdout);
  return !failed;
}

// The next line of standard input without its line break; false at the end.
// (stdio rather than iostreams: starting the iostreams costs more than a
// whole evaluation.)
bool ReadLine(std::string& line) {
  line.clear();
  int c;
  while ((c = std::getchar()) != EOF) {
    if (c == '\n') return true;
    line.push_back(static_cast<char>(c));
  }
  return !line.empty();
}

bool IsOption(std::string_view arg) {
  // "--2" and "-5+3" are formulas; options are words.
  return arg.size() > 2 && arg.substr(0, 2) == "--" &&
         ((arg[2] >= 'a' && arg[2] <= 'z') || (arg[2] >= 'A' && arg[2] <= 'Z'));
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> formulas;
  bool optionsDone = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!optionsDone && arg == "--") {
      optionsDone = true;
    } else if (!optionsDone && (arg == "--help" || arg == "-h")) {
      std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
      return 0;
    } else if (!optionsDone && IsOption(arg)) {
      std::fprintf(stderr, "quillo-eval: unknown option '%s'\n", argv[i]);
      std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
      return 2;
    } else {
      formulas.push_back(arg);
    }
  }

  bool allOk = true;
  if (!formulas.empty() || optionsDone) {
    for (const auto formula : formulas) allOk = EvaluateOne(formula) && allOk;
  } else {
    std::string line;
    while (ReadLine(line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      allOk = EvaluateOne(line) && allOk;
    }
  }
  if (std::fflush(stdout) != 0) return 2;
  return allOk ? 0 : 1;
}
