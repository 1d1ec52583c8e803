// quillo's command line: its own options, and Qt's, which Qt reads itself.
#pragma once

#include <optional>
#include <string_view>

namespace Quillo {

struct CommandLine {
  // Set when the program ends here, with this status.
  std::optional<int> exitStatus;
  // The values of Qt's -platform and -display, when given.
  std::string_view platform, display;
};

// Handles --help, -h, --version and -V (printing the usage or the version)
// and rejects what neither quillo nor Qt knows (one line on the error output
// and a hint), before anything needs a display.
CommandLine ReadCommandLine(int argc, const char* const* argv);

}  // namespace Quillo
