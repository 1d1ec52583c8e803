// The interactive mode in a Windows console: the console's own line editing
// and recall (cooked input: arrows, Home/End, Esc, F7's list, Up and Down
// through this session's formulas), and Unicode in and out whatever the
// console's code page. Ctrl-C abandons the line; Ctrl-Z or Ctrl-D (then
// Enter) on an empty line ends the session.
#include <windows.h>

#include <string>
#include <string_view>

#include "form/form.h"
#include "platform_io.h"
#include "visible_text.h"
#include "windows/console.h"
#include "windows/utf16.h"

namespace quillo_eval {

namespace {

bool IsBlank(std::wstring_view text) {
  return text.find_first_not_of(L" \t\r\n") == std::wstring_view::npos;
}

}  // namespace

int RunTerminalSession(void (*)(const std::string&)) {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD savedMode = 0;
  GetConsoleMode(input, &savedMode);
  // Cooked input: the console edits the line and keeps its recall list,
  // and Ctrl-C is a signal rather than a character. Keys as keys, not as
  // terminal sequences, which a program before may have left switched on:
  // the console's editing would take Up for text.
  SetConsoleMode(input, (savedMode | ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT) &
                            ~static_cast<DWORD>(ENABLE_VIRTUAL_TERMINAL_INPUT));
  CatchInterrupts(true);

  int status = 0;
  std::wstring line;
  for (;;) {
    if (!WriteConsoleText(output, L"> ")) {
      status = 2;
      break;
    }
    const ConsoleLine read = ReadConsoleLine(input, line);
    if (read == ConsoleLine::kInterrupted) {
      if (!WriteConsoleText(output, L"^C\n")) status = 2;
      if (status != 0) break;
      continue;
    }
    if (read == ConsoleLine::kTooLong) {
      // Its end is lost: evaluating the rest would answer another formula.
      WriteStandardError("quillo-eval: a line at the console holds at most " + std::to_string(kConsoleLineMax) +
                         " characters; this one was not evaluated\n");
      continue;
    }
    if (read == ConsoleLine::kFailed) {
      WriteStandardError("quillo-eval: cannot read the console\n");
      status = 2;
    }
    if (read != ConsoleLine::kLine) break;
    if (IsBlank(line)) continue;
    // As in batch mode, an echoed name shows no control character (Ctrl-G
    // and the like are typed into the line as they are).
    const std::string answer = VisibleText(Quillo::Form::Enter(ToUtf8(line)).text);
    if (!WriteConsoleText(output, ToUtf16(answer) + L"\n")) {
      WriteStandardError("quillo-eval: cannot write to the console\n");
      status = 2;
      break;
    }
  }
  CatchInterrupts(false);
  SetConsoleMode(input, savedMode);
  return status;
}

}  // namespace quillo_eval
