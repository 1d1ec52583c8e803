#include "command_line.h"

namespace quillo_eval {

namespace {

bool IsLongOption(std::string_view arg) {
  return arg.size() > 2 && arg.substr(0, 2) == "--" &&
         ((arg[2] >= 'a' && arg[2] <= 'z') || (arg[2] >= 'A' && arg[2] <= 'Z'));
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine result;
  bool optionsDone = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-") {  // an operand, after "--" too
      result.sources.push_back({true, {}});
    } else if (optionsDone) {
      result.sources.push_back({false, arg});
    } else if (arg == "--") {
      optionsDone = true;
    } else if (arg == "--help" || arg == "-h") {
      result.action = CommandLine::Action::kHelp;
      return result;
    } else if (arg == "--version" || arg == "-V") {
      result.action = CommandLine::Action::kVersion;
      return result;
    } else if (IsLongOption(arg)) {
      result.action = CommandLine::Action::kUsageError;
      result.badOption = arg;
      return result;
    } else {
      result.sources.push_back({false, arg});
    }
  }
  if (result.sources.empty()) {
    result.sources.push_back({true, {}});
    result.stdinImplied = true;
  }
  return result;
}

}  // namespace quillo_eval
