// quillo-eval's system interface on Windows. Arguments come from the wide
// command line; pipes and files carry UTF-8 bytes unchanged (binary mode: a
// line ends in LF as on Linux, and a CR before it is the reader's business);
// a console gets and gives Unicode text (windows/console.h), standard error
// included.
#include "platform_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>
#include <shellapi.h>

#include "windows/console.h"
#include "windows/utf16.h"

namespace quillo_eval {

namespace {

HANDLE Input() { return GetStdHandle(STD_INPUT_HANDLE); }
HANDLE Output() { return GetStdHandle(STD_OUTPUT_HANDLE); }
HANDLE Error() { return GetStdHandle(STD_ERROR_HANDLE); }

// Asked once: every question is a call into the system.
bool InputIsConsole() {
  static const bool console = IsConsole(Input());
  return console;
}
bool OutputIsConsole() {
  static const bool console = IsConsole(Output());
  return console;
}
bool ErrorIsConsole() {
  static const bool console = IsConsole(Error());
  return console;
}

// Console input not yet handed out: a line's UTF-8 can be longer than the
// caller's block.
std::string consoleBytes;
bool consoleEnded = false;

long ReadFromConsole(HANDLE input, char* buffer, std::size_t size) {
  std::wstring line;
  while (consoleBytes.empty() && !consoleEnded) {
    switch (ReadConsoleLine(input, line)) {
      case ConsoleLine::kLine:
        consoleBytes = ToUtf8(line);
        consoleBytes.push_back('\n');
        break;
      case ConsoleLine::kTooLong:
        // Not kept, as a line of a file too long to keep: answered as an
        // empty one is, without being evaluated.
        WriteStandardError("quillo-eval: a line at the console holds at most " +
                           std::to_string(kConsoleLineMax) + " characters; this one was not evaluated\n");
        consoleBytes.push_back('\n');  // it is empty here
        break;
      case ConsoleLine::kInterrupted:  // Ctrl-C is on its way to end the program
        break;
      case ConsoleLine::kEnd:
        consoleEnded = true;
        break;
      case ConsoleLine::kFailed:
        errno = EIO;
        return -1;
    }
  }
  const std::size_t n = std::min(size, consoleBytes.size());
  consoleBytes.copy(buffer, n);
  consoleBytes.erase(0, n);
  return static_cast<long>(n);
}

// Console output not yet written: the start of a UTF-8 sequence whose
// rest comes with the next call.
std::string consolePending;

bool WriteToConsole(HANDLE output, std::string_view bytes) {
  consolePending.append(bytes);
  const std::size_t complete = CompleteUtf8Prefix(consolePending);
  const std::wstring text = ToUtf16(std::string_view(consolePending).substr(0, complete));
  consolePending.erase(0, complete);
  if (!WriteConsoleText(output, text)) {
    errno = EIO;
    return false;
  }
  return true;
}

}  // namespace

ProgramArguments::ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide != nullptr) {
    for (int i = 0; i < count; ++i) texts_.push_back(ToUtf8(wide[i]));
    LocalFree(wide);
  } else {
    texts_.assign(argv, argv + argc);
  }
  for (const std::string& text : texts_) pointers_.push_back(text.c_str());
  pointers_.push_back(nullptr);
  // No CR LF translation, in or out.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

long ReadStandardInput(char* buffer, std::size_t size) {
  const HANDLE input = Input();
  if (InputIsConsole()) return ReadFromConsole(input, buffer, size);
  if (input == nullptr || input == INVALID_HANDLE_VALUE) return 0;  // started without one
  DWORD read = 0;
  const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
  if (ReadFile(input, buffer, want, &read, nullptr)) return static_cast<long>(read);
  // The writing end of a pipe was closed: the end of input.
  if (GetLastError() == ERROR_BROKEN_PIPE) return 0;
  errno = EIO;
  return -1;
}

bool WriteStandardOutput(std::string_view bytes) {
  if (OutputIsConsole()) return WriteToConsole(Output(), bytes);
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
}

void WriteStandardError(std::string_view message) {
  if (ErrorIsConsole()) {
    WriteConsoleText(Error(), ToUtf16(message));
    return;
  }
  std::fwrite(message.data(), 1, message.size(), stderr);
}

bool StandardStreamsAreTerminal() { return InputIsConsole() && OutputIsConsole(); }

}  // namespace quillo_eval
