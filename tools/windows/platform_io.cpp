// quillo-eval's system interface on Windows. Arguments come from the wide
// command line; pipes and files carry UTF-8 bytes unchanged (binary mode: a
// line ends in LF as on Linux, and a CR before it is the reader's business);
// a console gets and gives Unicode text through ReadConsoleW and
// WriteConsoleW, so that neither its code page (936, 437, 65001) nor its
// font's script decides what a formula or an answer may hold.
#include "platform_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <iterator>
#include <windows.h>
#include <shellapi.h>

#include "windows/utf16.h"

namespace quillo_eval {

namespace {

bool IsConsole(HANDLE handle) {
  DWORD mode;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

HANDLE Input() { return GetStdHandle(STD_INPUT_HANDLE); }
HANDLE Output() { return GetStdHandle(STD_OUTPUT_HANDLE); }

// Asked once: every question is a call into the system.
bool InputIsConsole() {
  static const bool console = IsConsole(Input());
  return console;
}
bool OutputIsConsole() {
  static const bool console = IsConsole(Output());
  return console;
}

// A console line typed as Ctrl-Z alone is the end of input, as for every
// Windows console program that reads lines; Ctrl-D alone too, as at a
// Linux terminal (and in the interactive mode).
bool IsEndOfInput(std::wstring_view line) {
  while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.remove_suffix(1);
  return line == L"\x1a" || line == L"\x04";
}

// Console input not yet handed out: a line's UTF-8 can be longer than the
// caller's block, and a surrogate pair can be split between two reads.
std::string consoleBytes;
wchar_t heldHighSurrogate = 0;
bool consoleEnded = false;

long ReadFromConsole(HANDLE input, char* buffer, std::size_t size) {
  while (consoleBytes.empty() && !consoleEnded) {
    wchar_t units[4096];
    std::size_t kept = 0;
    if (heldHighSurrogate != 0) units[kept++] = heldHighSurrogate;
    heldHighSurrogate = 0;
    DWORD read = 0;
    if (!ReadConsoleW(input, units + kept, static_cast<DWORD>(std::size(units) - kept), &read, nullptr)) {
      errno = EIO;
      return -1;
    }
    std::size_t count = kept + read;
    if (read == 0 && kept == 0) {
      consoleEnded = true;
      break;
    }
    if (IsEndOfInput(std::wstring_view(units, count))) {
      consoleEnded = true;
      break;
    }
    if (count > 0 && units[count - 1] >= 0xD800 && units[count - 1] <= 0xDBFF && read > 0) {
      heldHighSurrogate = units[--count];
    }
    consoleBytes = ToUtf8(std::wstring_view(units, count));
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
  // What stdio still holds goes first (the version line is printed by it).
  std::fflush(stdout);
  for (std::size_t done = 0; done < text.size();) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 16384));
    DWORD written = 0;
    if (!WriteConsoleW(output, text.data() + done, chunk, &written, nullptr) || written == 0) {
      errno = EIO;
      return false;
    }
    done += written;
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

bool StandardStreamsAreTerminal() { return InputIsConsole() && OutputIsConsole(); }

}  // namespace quillo_eval
