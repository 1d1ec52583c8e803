// What quillo-eval needs of the system, the same on every system: its
// arguments and its standard input and output as UTF-8 bytes, lines exactly
// as they are (no CR LF translation), and the interactive session. One
// source per system implements it: posix/platform_io.cpp or
// windows/platform_io.cpp (with windows/console_session.cpp).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillo_eval {

// The program's arguments in UTF-8. Made once, first thing in main(): on
// Windows they come from the wide command line (whatever the code page),
// and standard input and output are switched to binary.
class ProgramArguments {
public:
  ProgramArguments(int argc, char** argv);
  ProgramArguments(const ProgramArguments&) = delete;
  ProgramArguments& operator=(const ProgramArguments&) = delete;

  int count() const { return static_cast<int>(texts_.size()); }
  const char* const* values() const { return pointers_.data(); }

private:
  std::vector<std::string> texts_;
  std::vector<const char*> pointers_;  // into texts_, then a null
};

// Reads up to `size` bytes of standard input: the count, 0 at the end of
// input, -1 on a failure (errno says which; EINTR: try again). From a
// Windows console: what was typed, in UTF-8, a line at a time; a line too
// long for the console to hold whole comes as an empty one (and standard
// error says so).
long ReadStandardInput(char* buffer, std::size_t size);

// Writes to standard output, through stdio's buffer; false when writing
// failed (errno says why). To a Windows console: as Unicode text, whatever
// the console's code page.
bool WriteStandardOutput(std::string_view bytes);

// Writes a message (whole lines) to standard error, at once; to a Windows
// console as Unicode text, like standard output. Nothing is said when that
// fails: there is nowhere left to say it.
void WriteStandardError(std::string_view message);

// Whether standard input and output are both a terminal (a console on
// Windows): quillo-eval without formulas is then interactive.
bool StandardStreamsAreTerminal();

// The interactive session at that terminal; returns the exit status.
// `warn` reports a problem that does not end the session (a history file
// that cannot be used).
int RunTerminalSession(void (*warn)(const std::string& message));

}  // namespace quillo_eval
