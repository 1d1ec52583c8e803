// quillo-eval: evaluates formulas with the calculator's engine and prints one
// line for each: the result as the result box shows it, or the message. On a
// terminal without formulas it is an interactive calculator.
#include <cstdio>
#include <string>
#include <string_view>

#include "batch_run.h"
#include "command_line.h"
#include "platform_io.h"
#include "visible_text.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: quillo-eval [OPTION] [--] [FORMULA | -]...\n"
    "Evaluates each FORMULA, or each line of standard input for \"-\" or when no\n"
    "formula is given, and prints one line for each: the result (\" 7.02393675181428\")\n"
    "or the message of a formula that cannot be evaluated (\">> 公式有误或为空\").\n"
#ifdef _WIN32
    "In a console without formulas it prompts for them, with the console's line\n"
    "editing and recall of the formulas of the session.\n"
#else
    "On a terminal without formulas it prompts for them, with line editing, recall\n"
    "(also of earlier sessions) and Tab completion of the function names.\n"
#endif
    "\n"
    "  -h, --help     print this text and exit\n"
    "  -V, --version  print the version and exit\n"
    "  --             every argument after it is a formula\n"
    "\n"
    "Exit status: 0 when every formula evaluated, 1 when any failed, 2 on a usage\n"
    "error or when reading or writing failed.\n";

void Warn(const std::string& message) { quillo_eval::WriteStandardError(message + "\n"); }

}  // namespace

int main(int argc, char** argv) {
  using quillo_eval::CommandLine;
  const quillo_eval::ProgramArguments arguments(argc, argv);
  const CommandLine command = quillo_eval::ParseCommandLine(arguments.count(), arguments.values());
  switch (command.action) {
    case CommandLine::Action::kHelp:
      return quillo_eval::WriteStandardOutput(kUsage) && std::fflush(stdout) == 0 ? 0 : 2;
    case CommandLine::Action::kVersion:
      return quillo_eval::WriteStandardOutput("quillo-eval " QUILLO_VERSION "\n") && std::fflush(stdout) == 0
                 ? 0
                 : 2;
    case CommandLine::Action::kUsageError:
      // The option as typed, but never its control characters.
      quillo_eval::WriteStandardError("quillo-eval: unknown option '" + quillo_eval::VisibleText(command.badOption) +
                                      "'\nTry 'quillo-eval --help' for more information.\n");
      return 2;
    case CommandLine::Action::kEvaluate:
      break;
  }
  if (command.stdinImplied && quillo_eval::StandardStreamsAreTerminal())
    return quillo_eval::RunTerminalSession(Warn);
  return quillo_eval::RunBatch(command.sources);
}
