#include "windows/console.h"

#include <algorithm>
#include <memory>

namespace quillo_eval {

namespace {

volatile LONG interrupted = 0;

BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT) return FALSE;
  InterlockedExchange(&interrupted, 1);
  return TRUE;
}

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

bool IsConsole(HANDLE handle) {
  DWORD mode;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

bool WriteConsoleText(HANDLE console, std::wstring_view text) {
  constexpr std::size_t kChunk = 16384;
  while (!text.empty()) {
    std::size_t chunk = std::min(text.size(), kChunk);
    // A surrogate pair goes out in one piece.
    if (chunk < text.size() && IsHighSurrogate(text[chunk - 1])) --chunk;
    DWORD written = 0;
    if (!WriteConsoleW(console, text.data(), static_cast<DWORD>(chunk), &written, nullptr) || written == 0)
      return false;
    text.remove_prefix(std::min<std::size_t>(written, text.size()));
  }
  return true;
}

ConsoleLine ReadConsoleLine(HANDLE console, std::wstring& line) {
  static const std::unique_ptr<wchar_t[]> units(new wchar_t[kConsoleLineUnits]);
  // A line that ended in CR at a buffer's end: its LF comes with the next
  // read, and is no empty line of its own.
  static bool lineFeedOwed = false;
  line.clear();
  InterlockedExchange(&interrupted, 0);
  bool tooLong = false;
  for (;;) {
    DWORD read = 0;
    const BOOL ok = ReadConsoleW(console, units.get(), static_cast<DWORD>(kConsoleLineUnits), &read, nullptr);
    // Ctrl-C ends the read with nothing (or with an error, on some
    // systems); the handler, on its own thread, may come a moment later.
    if (!ok && GetLastError() != ERROR_OPERATION_ABORTED) return ConsoleLine::kFailed;
    if (!ok || read == 0) {
      for (int i = 0; i < 50 && interrupted == 0; ++i) Sleep(1);
      line.clear();
      if (interrupted != 0 || !ok) return ConsoleLine::kInterrupted;
      return ConsoleLine::kEnd;  // the console was closed
    }
    // Wine's console goes on reading after Ctrl-C: the line it then
    // returns is abandoned all the same.
    if (interrupted != 0) {
      line.clear();
      return ConsoleLine::kInterrupted;
    }
    std::wstring_view part(units.get(), read);
    if (lineFeedOwed && part.front() == L'\n') part.remove_prefix(1);
    lineFeedOwed = false;
    if (part.empty()) continue;
    // Windows' console returns the line whole, cut at the buffer's end;
    // Wine's in pieces of a buffer each.
    const bool ended = part.back() == L'\n' || part.back() == L'\r';
    lineFeedOwed = part.back() == L'\r';
    while (!part.empty() && (part.back() == L'\n' || part.back() == L'\r')) part.remove_suffix(1);
    if (!tooLong && line.size() + part.size() > kConsoleLineMax) {
      tooLong = true;
      std::wstring().swap(line);
    }
    if (!tooLong) line.append(part);
    if (ended) break;
  }
  if (tooLong) return ConsoleLine::kTooLong;
  if (line == L"\x1a" || line == L"\x04") {
    line.clear();
    return ConsoleLine::kEnd;
  }
  return ConsoleLine::kLine;
}

void CatchInterrupts(bool on) { SetConsoleCtrlHandler(OnControl, on ? TRUE : FALSE); }

}  // namespace quillo_eval
