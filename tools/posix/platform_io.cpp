// quillo-eval's system interface on Linux and other POSIX systems: bytes as
// they are, libedit at a terminal.
#include "platform_io.h"

#include <cstdio>
#include <unistd.h>

#include "history_file.h"
#include "interactive_session.h"

namespace quillo_eval {

ProgramArguments::ProgramArguments(int argc, char** argv) : texts_(argv, argv + argc) {
  for (const std::string& text : texts_) pointers_.push_back(text.c_str());
  pointers_.push_back(nullptr);
}

long ReadStandardInput(char* buffer, std::size_t size) {
  return static_cast<long>(read(STDIN_FILENO, buffer, size));
}

bool WriteStandardOutput(std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
}

void WriteStandardError(std::string_view message) {
  std::fwrite(message.data(), 1, message.size(), stderr);
}

bool StandardStreamsAreTerminal() { return isatty(STDIN_FILENO) && isatty(STDOUT_FILENO); }

int RunTerminalSession(void (*warn)(const std::string& message)) {
  HistoryFile history(HistoryFile::DefaultPath(), warn);
  return RunInteractive(history);
}

}  // namespace quillo_eval
