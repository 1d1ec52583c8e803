#include "command_line.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace Quillo {
namespace {

constexpr std::string_view kUsage =
    "Usage: quillo [OPTION]...\n"
    "Opens the Quillo calculator window: type a whole formula such as\n"
    "2*sin(30)+(1+2)^2 and press Enter. quillo-eval evaluates formulas on the\n"
    "command line.\n"
    "\n"
    "  -h, --help     print this text and exit\n"
    "  -V, --version  print the version and exit\n"
    "\n"
    "Qt's own options work too, as -platform wayland, -display :1, -style Fusion,\n"
    "-reverse or -qwindowgeometry 485x275+0+0 (see the manual page).\n";

// The options that Qt reads from the command line (QGuiApplication,
// QApplication and the X11 platform), each also with two dashes.
constexpr std::string_view kQtWithValue[] = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry",
    "-geometry", "-qwindowtitle",       "-title",         "-qwindowicon", "-icon",
    "-session",  "-style",              "-stylesheet",    "-display", "-name", "-visual"};
constexpr std::string_view kQtFlags[] = {"-reverse", "-testability", "-widgetcount",
                                         "-nograb",  "-dograb",      "-qdevel", "-qdebug"};
constexpr std::string_view kQtJoined[] = {"-style=", "-stylesheet=", "-qmljsdebugger="};

template <std::size_t N>
bool Among(const std::string_view (&options)[N], std::string_view arg) {
  return std::find(std::begin(options), std::end(options), arg) != std::end(options);
}

// `problem` holds one %.*s for the argument.
int UsageError(const char* problem, std::string_view arg) {
  std::fputs("quillo: ", stderr);
  std::fprintf(stderr, problem, int(arg.size()), arg.data());
  std::fputs("\nTry 'quillo --help' for more information.\n", stderr);
  return 2;
}

}  // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv) {
  CommandLine command;
  const auto end = [&command](int status) {
    command.exitStatus = status;
    return command;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
      return end(std::fflush(stdout) == 0 ? 0 : 2);
    }
    if (arg == "--version" || arg == "-V") {
      std::printf("quillo %s\n", QUILLO_VERSION);
      return end(std::fflush(stdout) == 0 ? 0 : 2);
    }
    // Qt takes "--style" for "-style".
    const std::string_view qt = arg.substr(arg.starts_with("--") ? 1 : 0);
    if (Among(kQtWithValue, qt)) {
      if (++i == argc) return end(UsageError("option '%.*s' needs a value", arg));
      if (qt == "-platform") command.platform = argv[i];
      if (qt == "-display") command.display = argv[i];
      continue;  // the value may look like anything ("-qwindowtitle --help")
    }
    if (Among(kQtFlags, qt)) continue;
    const std::size_t equals = qt.find('=');
    if (equals != std::string_view::npos && Among(kQtJoined, qt.substr(0, equals + 1))) continue;
    return end(UsageError(
        arg.starts_with("-") ? "unknown option '%.*s'" : "unexpected argument '%.*s'", arg));
  }
  return command;
}

}  // namespace Quillo
