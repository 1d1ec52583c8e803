// quillo-eval's command line: options, formulas and "-" for standard input.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillo_eval {

// One thing to evaluate, in order: a formula argument, or the lines of
// standard input (an empty `formula` with `fromStdin` set).
struct Source {
  bool fromStdin = false;
  std::string_view formula;
};

struct CommandLine {
  enum class Action { kEvaluate, kHelp, kVersion, kUsageError };
  Action action = Action::kEvaluate;
  // kEvaluate: what to evaluate. No formula at all means standard input,
  // and `stdinImplied` is set: only then may a terminal get the interactive
  // mode (an explicit "-" always reads lines).
  std::vector<Source> sources;
  bool stdinImplied = false;
  // kUsageError: the offending argument.
  std::string badOption;
};

// "--2" and "-5+3" are formulas, and so is "-sin(1)": the options are
// "--" followed by a word, and the short forms "-h" and "-V". Everything
// after "--" is a formula, except a lone "-", which always stands for
// standard input.
CommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace quillo_eval
