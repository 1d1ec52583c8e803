// quillo-eval at a Windows console: Unicode text out and whole lines in,
// whatever the console's code page, so that neither it (936, 1252, 65001)
// nor its font's script decides what a formula, an answer or a message may
// hold.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace quillo_eval {

bool IsConsole(HANDLE handle);

// Writes `text` to a console; false when it cannot be written.
bool WriteConsoleText(HANDLE console, std::wstring_view text);

// The console reads a line into a buffer of ours, in UTF-16 units with its
// CR LF, and drops what is typed or pasted beyond it: a longer formula
// would arrive cut short. Windows' console keeps two units for the line
// break, and a line that fills the rest may have lost its end: the longest
// line it surely holds whole is three units shorter than the buffer.
inline constexpr std::size_t kConsoleLineUnits = std::size_t{1} << 15;
inline constexpr std::size_t kConsoleLineMax = kConsoleLineUnits - 3;

enum class ConsoleLine {
  kLine,         // a line, without its line break
  kTooLong,      // longer than kConsoleLineMax: maybe cut short, not kept
  kInterrupted,  // Ctrl-C (CatchInterrupts)
  kEnd,          // Ctrl-Z or Ctrl-D alone on the line, or the console closed
  kFailed,
};

// One line as typed at the console (in its line input mode: the console
// edits the line). `line` is empty unless kLine.
ConsoleLine ReadConsoleLine(HANDLE console, std::wstring& line);

// While on, Ctrl-C abandons the line being read instead of ending the
// program (Ctrl-Break and closing the console still end it).
void CatchInterrupts(bool on);

}  // namespace quillo_eval
