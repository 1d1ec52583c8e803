#include "history_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "quillo/utf8.h"

namespace quillo_eval {

namespace {

// Larger than any file of kLimit lines of kMaxLineBytes: only the end of a
// larger file is read.
constexpr std::size_t kMaxFileBytes = 8u << 20;

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF) without control characters.
bool IsCleanUtf8(std::string_view text) {
  while (!text.empty()) {
    const CalcString::Utf8Char c = CalcString::Utf8At(text);
    if (c.length == 0 || c.code < 0x20 || c.code == 0x7f) return false;
    text.remove_prefix(c.length);
  }
  return true;
}

std::string Directory(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// mkdir -p with mode 0700 for what it creates.
bool MakeDirectories(const std::string& directory, int& error) {
  for (std::size_t slash = 1;; ++slash) {
    slash = directory.find('/', slash);
    const std::string part = directory.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      error = errno;
      return false;
    }
    if (slash == std::string::npos) break;
  }
  struct stat st;
  if (stat(directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    error = ENOTDIR;
    return false;
  }
  return true;
}

// The file that `path` names once symbolic links are followed, as shells
// and editors write through them; it need not exist yet (a dangling link).
// The directories on the way are the system's to resolve.
bool FollowLinks(std::string path, std::string& target, int& error) {
  for (int hops = 0; hops < 40; ++hops) {
    char buffer[4096];
    const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno != EINVAL && errno != ENOENT) {
        error = errno;
        return false;
      }
      target = std::move(path);  // not a link
      return true;
    }
    if (static_cast<std::size_t>(n) == sizeof buffer) {
      error = ENAMETOOLONG;
      return false;
    }
    std::string next(buffer, static_cast<std::size_t>(n));
    path = next[0] == '/' ? std::move(next) : Directory(path) + "/" + next;
  }
  error = ELOOP;
  return false;
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Replaces `target` by a new file of `entries` with the given mode, written
// beside it and renamed onto it. The directory is locked, so the temporary
// name is fixed.
bool Write(const std::string& target, const std::vector<std::string>& entries, mode_t mode, int& error) {
  std::string contents;
  for (const std::string& entry : entries) {
    contents.append(entry);
    contents.push_back('\n');
  }
  const std::string temporary = target + ".new";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    error = errno;
    return false;
  }
  bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, contents) && fsync(fd) == 0;
  if (!ok) error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) unlink(temporary.c_str());
  return ok;
}

}  // namespace

std::string HistoryFile::DefaultPath() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::string(state) + "/quillo/history";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] != '/') {
    const passwd* user = getpwuid(getuid());
    home = user != nullptr ? user->pw_dir : nullptr;
  }
  if (home == nullptr || home[0] != '/') return {};
  return std::string(home) + "/.local/state/quillo/history";
}

HistoryFile::HistoryFile(std::string path, Warn warn, std::size_t limit)
    : path_(std::move(path)), warn_(std::move(warn)), limit_(limit) {}

bool HistoryFile::Storable(std::string_view formula) {
  return !formula.empty() && formula.size() <= kMaxLineBytes && IsCleanUtf8(formula);
}

HistoryFile::Parsed HistoryFile::Parse(std::string_view contents, std::size_t limit) {
  Parsed parsed;
  while (!contents.empty()) {
    // The last line may lack its line break (saved by an editor): it counts.
    const std::size_t end = std::min(contents.find('\n'), contents.size());
    std::string_view line = contents.substr(0, end);
    contents.remove_prefix(std::min(end + 1, contents.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // edited elsewhere
    if (line.empty()) continue;
    if (Storable(line)) {
      parsed.entries.emplace_back(line);
    } else {
      ++parsed.skipped;
    }
  }
  if (parsed.entries.size() > limit)
    parsed.entries.erase(parsed.entries.begin(), parsed.entries.end() - static_cast<std::ptrdiff_t>(limit));
  return parsed;
}

std::optional<HistoryFile::Parsed> HistoryFile::Read(const std::string& path, int& error) const {
  error = 0;
  // Non-blocking: a pipe in the file's place must not stop the session.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    // No file yet, or not even its directory (Add says why it cannot be made).
    if (errno == ENOENT || errno == ENOTDIR) return Parsed{};
    error = errno;
    return std::nullopt;
  }
  // Only a plain file: a directory or a pipe in its place is left alone.
  struct stat st;
  const bool known = fstat(fd, &st) == 0;
  if (!known || !S_ISREG(st.st_mode)) {
    error = known && S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    close(fd);
    return std::nullopt;
  }
  // Of a file larger than any written here, the newest lines that fit.
  bool cut = false;
  if (static_cast<std::size_t>(st.st_size) > kMaxFileBytes)
    cut = lseek(fd, st.st_size - static_cast<off_t>(kMaxFileBytes), SEEK_SET) >= 0;
  std::string contents;
  char block[1 << 14];
  for (;;) {
    const ssize_t n = read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    if (n <= 0) break;
    contents.append(block, static_cast<std::size_t>(n));
    if (contents.size() > kMaxFileBytes) break;  // it grew meanwhile
  }
  close(fd);
  if (error != 0) return std::nullopt;
  std::string_view whole(contents);
  if (cut) whole.remove_prefix(std::min(whole.find('\n'), whole.size()));  // a part of a line
  return Parse(whole, limit_);
}

std::vector<std::string> HistoryFile::Load() {
  if (path_.empty()) {
    Tell(toldFile_, "quillo-eval: no history file: neither XDG_STATE_HOME nor HOME names a directory");
    return {};
  }
  int error = 0;
  auto parsed = Read(path_, error);
  if (!parsed) {
    Tell(toldFile_, "quillo-eval: cannot read the history file " + path_ + ": " + std::strerror(error) +
                        "; it is left as it is");
    return {};
  }
  if (parsed->skipped > 0) {
    Tell(toldSkipped_, "quillo-eval: the history file " + path_ + " has " + std::to_string(parsed->skipped) +
                           (parsed->skipped == 1 ? " line that is" : " lines that are") +
                           " not a formula: skipped; the other lines are kept");
  }
  return std::move(parsed->entries);
}

bool HistoryFile::Flush(int& error) {
  std::string target;
  if (!MakeDirectories(Directory(path_), error) || !FollowLinks(path_, target, error)) return false;
  const int dir = open(Directory(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) {
    error = errno;
    return false;
  }
  bool done = false;
  int locked;
  while ((locked = flock(dir, LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (locked != 0) {
    error = errno;
  } else if (auto parsed = Read(target, error)) {
    // What another session wrote meanwhile stays. A file that may not be
    // written is not replaced, although its directory would allow it.
    struct stat st;
    const bool exists = stat(target.c_str(), &st) == 0;
    if (exists && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
      error = errno;
    } else {
      std::vector<std::string>& entries = parsed->entries;
      for (const std::string& formula : waiting_) {
        if (entries.empty() || entries.back() != formula) entries.push_back(formula);
      }
      if (entries.size() > limit_)
        entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(limit_));
      done = Write(target, entries, exists ? st.st_mode & 07777 : 0600, error);
      if (done) fsync(dir);  // the rename itself
    }
  }
  close(dir);  // and the lock with it
  return done;
}

void HistoryFile::Add(std::string_view formula) {
  if (path_.empty()) return;
  if (!Storable(formula)) {
    Tell(toldUnstorable_, "quillo-eval: a formula longer than 4096 bytes or with a control character "
                          "(such as a Tab) is not kept in the history file");
    return;
  }
  if (waiting_.empty() || waiting_.back() != formula) waiting_.emplace_back(formula);
  if (waiting_.size() > limit_) waiting_.erase(waiting_.begin());
  int error = 0;
  if (Flush(error)) {
    waiting_.clear();
    return;
  }
  Tell(toldFile_, "quillo-eval: cannot write the history file " + path_ + ": " + std::strerror(error) +
                      "; it is tried again with every formula");
}

void HistoryFile::Tell(bool& told, const std::string& message) {
  if (told) return;
  told = true;
  if (warn_) warn_(message);
}

}  // namespace quillo_eval
