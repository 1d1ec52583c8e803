// The interactive mode's history file: the formulas of earlier sessions, one
// a line, oldest first, at most a fixed number of them.
//
// Every formula is written at once, so a crash loses nothing: under a lock
// on the file's directory (its target's, for a link) the file is read again (so that formulas another
// session wrote meanwhile stay), the new formula is added, and the whole
// is written to a temporary file that then replaces the old one by rename.
// Readers therefore see either the old file or the new one, never a part.
//
// The file is never a reason to fail, and nothing in it is lost for a fault
// of its own: a line that is not a formula (not UTF-8 text, control
// characters, over kMaxLineBytes) is skipped, with one warning, and the
// other lines are kept. A file that cannot be read, or that may not be
// written, is left as it is, with one warning; the session's formulas then
// wait, and every later formula tries again to write them all. A symbolic
// link is followed: its target is replaced, and the link stays.
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
  // file cannot be read.
  std::vector<std::string> Load();

  // Adds one formula unless it repeats the newest one, and writes every
  // formula not yet written. A formula that the file cannot hold (a control
  // character such as a Tab, not UTF-8, over kMaxLineBytes) is left out,
  // and the first such formula of a session says so.
  void Add(std::string_view formula);

  struct Parsed {
    std::vector<std::string> entries;  // the newest `limit`, oldest first
    std::size_t skipped = 0;           // lines that are not formulas
  };
  static Parsed Parse(std::string_view contents, std::size_t limit);
  static bool Storable(std::string_view formula);

private:
  // The formulas of the file at `path`; nothing when it cannot be read
  // (`error` then says why).
  std::optional<Parsed> Read(const std::string& path, int& error) const;
  // Writes the file and the formulas waiting; false with `error` set when
  // it cannot.
  bool Flush(int& error);
  void Tell(bool& told, const std::string& message);

  std::string path_;
  Warn warn_;
  std::size_t limit_;
  std::vector<std::string> waiting_;  // entered, not yet in the file
  bool toldSkipped_ = false;
  bool toldFile_ = false;
  bool toldUnstorable_ = false;
};

}  // namespace quillo_eval
