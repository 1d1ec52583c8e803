// The interactive mode in a Windows console: the console's own line editing
// and recall (cooked input: arrows, Home/End, Esc, F7's list, Up and Down
// through this session's formulas), and Unicode in and out whatever the
// console's code page. Ctrl-C abandons the line; Ctrl-Z or Ctrl-D (then
// Enter) on an empty line ends the session.
#include <windows.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

#include "form/form.h"
#include "platform_io.h"
#include "windows/utf16.h"

namespace quillo_eval {

namespace {

volatile LONG interrupted = 0;

BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT) return FALSE;  // Ctrl-Break and closing end the program
  InterlockedExchange(&interrupted, 1);
  return TRUE;
}

bool Write(HANDLE output, std::wstring_view text) {
  while (!text.empty()) {
    DWORD written = 0;
    if (!WriteConsoleW(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written == 0)
      return false;
    text.remove_prefix(written);
  }
  return true;
}

bool IsBlank(std::wstring_view text) {
  return text.find_first_not_of(L" \t\r\n") == std::wstring_view::npos;
}

enum class Read { kLine, kInterrupted, kEnd, kFailed };

// One line as typed, without its line break.
Read ReadLine(HANDLE input, std::wstring& line) {
  line.clear();
  InterlockedExchange(&interrupted, 0);
  for (;;) {
    wchar_t units[4096];
    DWORD read = 0;
    const BOOL ok = ReadConsoleW(input, units, static_cast<DWORD>(std::size(units)), &read, nullptr);
    // Ctrl-C ends the read with nothing (or with an error, on some
    // systems); the handler, on its own thread, may come a moment later.
    if (!ok && GetLastError() != ERROR_OPERATION_ABORTED) return Read::kFailed;
    if (!ok || read == 0) {
      for (int i = 0; i < 50 && interrupted == 0; ++i) Sleep(1);
      if (interrupted != 0 || !ok) return Read::kInterrupted;
      return Read::kEnd;  // the console was closed
    }
    // Wine's console goes on reading after Ctrl-C: the line it then
    // returns is abandoned all the same.
    if (interrupted != 0) return Read::kInterrupted;
    line.append(units, read);
    // A line longer than the buffer comes in several reads.
    if (line.back() == L'\n') break;
  }
  while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.pop_back();
  if (line == L"\x1a" || line == L"\x04") return Read::kEnd;
  return Read::kLine;
}

}  // namespace

int RunTerminalSession(void (*)(const std::string&)) {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD savedMode = 0;
  GetConsoleMode(input, &savedMode);
  // Cooked input: the console edits the line and keeps its recall list,
  // and Ctrl-C is a signal rather than a character.
  SetConsoleMode(input, savedMode | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT);
  SetConsoleCtrlHandler(OnControl, TRUE);

  int status = 0;
  std::wstring line;
  for (;;) {
    if (!Write(output, L"> ")) {
      status = 2;
      break;
    }
    const Read read = ReadLine(input, line);
    if (read == Read::kInterrupted) {
      if (!Write(output, L"^C\n")) status = 2;
      if (status != 0) break;
      continue;
    }
    if (read == Read::kFailed) {
      std::fputs("quillo-eval: cannot read the console\n", stderr);
      status = 2;
    }
    if (read != Read::kLine) break;
    if (IsBlank(line)) continue;
    const Quillo::Form::EnterOutcome answer = Quillo::Form::Enter(ToUtf8(line));
    if (!Write(output, ToUtf16(answer.text) + L"\n")) {
      std::fputs("quillo-eval: cannot write to the console\n", stderr);
      status = 2;
      break;
    }
  }
  SetConsoleCtrlHandler(OnControl, FALSE);
  SetConsoleMode(input, savedMode);
  return status;
}

}  // namespace quillo_eval
