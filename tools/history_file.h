// The interactive mode's history file: the formulas of earlier sessions, one
// a line, oldest first, at most a fixed number of them.
//
// Every formula is written at once, so a crash loses nothing: under a lock
// on the file's directory the file is read again (so that formulas another
// session wrote meanwhile stay), the new formula is added, and the whole
// is written to a temporary file that then replaces the old one by rename.
// Readers therefore see either the old file or the new one, never a part.
//
// The file is never a reason to fail: a file that cannot be read or written,
// or that is damaged (not UTF-8 text, control characters, an overlong line,
// a last line without its line break), is ignored, with one warning for the
// whole session. A damaged file is replaced by the session's first formula.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillo_eval {

class HistoryFile {
public:
  using Warn = std::function<void(const std::string& message)>;

  static constexpr std::size_t kLimit = 1000;
  static constexpr std::size_t kMaxLineBytes = 4096;

  // $XDG_STATE_HOME/quillo/history when that variable holds an absolute
  // path, else ~/.local/state/quillo/history; empty when there is no home.
  static std::string DefaultPath();

  // `path` may be empty: then nothing is read or written, and the first
  // Load() warns once.
  HistoryFile(std::string path, Warn warn, std::size_t limit = kLimit);

  // The stored formulas, oldest first; empty when there are none or the
  // file cannot be used.
  std::vector<std::string> Load();

  // Adds one formula unless it repeats the newest one. Formulas that the
  // file could not hold again (control characters, not UTF-8, too long)
  // are left out.
  void Add(std::string_view formula);

  // The file's formulas, or nothing when `contents` is damaged.
  static std::optional<std::vector<std::string>> Parse(std::string_view contents,
                                                       std::size_t limit);
  static bool Storable(std::string_view formula);

private:
  // The file's formulas; nothing when it is damaged or cannot be read
  // (`error` then says why; 0 for damage).
  std::optional<std::vector<std::string>> Read(int& error) const;
  bool Write(const std::vector<std::string>& entries, int& error) const;
  void WarnOnce(const std::string& message);

  std::string path_;
  std::string directory_;
  Warn warn_;
  std::size_t limit_;
  bool warned_ = false;
  bool writable_ = true;
};

}  // namespace quillo_eval
