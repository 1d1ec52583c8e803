#include "history_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillo_eval {

namespace {

// Larger than any file of kLimit lines of kMaxLineBytes: reading stops there.
constexpr std::size_t kMaxFileBytes = 8u << 20;

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF) without control characters.
bool IsCleanUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7f) return false;
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t length;
    unsigned char low = 0x80, high = 0xbf;  // the second byte's range
    if (c >= 0xc2 && c <= 0xdf) {
      length = 2;
    } else if (c >= 0xe0 && c <= 0xef) {
      length = 3;
      if (c == 0xe0) low = 0xa0;
      if (c == 0xed) high = 0x9f;
    } else if (c >= 0xf0 && c <= 0xf4) {
      length = 4;
      if (c == 0xf0) low = 0x90;
      if (c == 0xf4) high = 0x8f;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto d = static_cast<unsigned char>(text[i + k]);
      if (d < (k == 1 ? low : 0x80) || d > (k == 1 ? high : 0xbf)) return false;
    }
    i += length;
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
    : path_(std::move(path)), directory_(Directory(path_)), warn_(std::move(warn)), limit_(limit) {
  if (path_.empty()) writable_ = false;
}

bool HistoryFile::Storable(std::string_view formula) {
  return !formula.empty() && formula.size() <= kMaxLineBytes && IsCleanUtf8(formula);
}

std::optional<std::vector<std::string>> HistoryFile::Parse(std::string_view contents,
                                                           std::size_t limit) {
  std::vector<std::string> entries;
  if (contents.empty()) return entries;
  if (contents.back() != '\n') return std::nullopt;  // cut off
  while (!contents.empty()) {
    const std::size_t end = contents.find('\n');
    std::string_view line = contents.substr(0, end);
    contents.remove_prefix(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // edited elsewhere
    if (line.empty()) continue;
    if (!Storable(line)) return std::nullopt;
    entries.emplace_back(line);
  }
  if (entries.size() > limit) entries.erase(entries.begin(), entries.end() - limit);
  return entries;
}

std::optional<std::vector<std::string>> HistoryFile::Read(int& error) const {
  error = 0;
  const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    // No file yet, or not even its directory (Add says why it cannot be made).
    if (errno == ENOENT || errno == ENOTDIR) return std::vector<std::string>{};
    error = errno;
    return std::nullopt;
  }
  std::string contents;
  char block[1 << 14];
  for (;;) {
    const ssize_t n = read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    if (n <= 0) break;
    contents.append(block, static_cast<std::size_t>(n));
    if (contents.size() > kMaxFileBytes) break;  // damaged: no such file is written
  }
  close(fd);
  if (error != 0 || contents.size() > kMaxFileBytes) return std::nullopt;
  return Parse(contents, limit_);
}

bool HistoryFile::Write(const std::vector<std::string>& entries, int& error) const {
  std::string contents;
  for (const std::string& entry : entries) {
    contents.append(entry);
    contents.push_back('\n');
  }
  // One writer at a time (the directory is locked), so the name is fixed.
  const std::string temporary = path_ + ".new";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) {
    error = errno;
    return false;
  }
  bool ok = WriteAll(fd, contents) && fsync(fd) == 0;
  if (!ok) error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && rename(temporary.c_str(), path_.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) unlink(temporary.c_str());
  return ok;
}

std::vector<std::string> HistoryFile::Load() {
  if (path_.empty()) {
    WarnOnce("quillo-eval: no history file: neither XDG_STATE_HOME nor HOME names a directory");
    return {};
  }
  int error = 0;
  auto entries = Read(error);
  if (entries) return std::move(*entries);
  if (error != 0) {
    WarnOnce("quillo-eval: cannot read the history file " + path_ + ": " + std::strerror(error));
  } else {
    WarnOnce("quillo-eval: the history file " + path_ +
             " is damaged; it is ignored and will be replaced");
  }
  return {};
}

void HistoryFile::Add(std::string_view formula) {
  if (!writable_ || !Storable(formula)) return;
  int error = 0;
  bool done = false;
  int dir = -1;
  if (MakeDirectories(directory_, error)) {
    dir = open(directory_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) error = errno;
  }
  if (dir >= 0) {
    int locked;
    while ((locked = flock(dir, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
      error = errno;
    } else {
      int readError = 0;
      // What another session wrote stays; a damaged file does not.
      std::vector<std::string> entries = Read(readError).value_or(std::vector<std::string>{});
      if (entries.empty() || entries.back() != formula) entries.emplace_back(formula);
      if (entries.size() > limit_) entries.erase(entries.begin(), entries.end() - limit_);
      done = Write(entries, error);
      if (done) fsync(dir);  // the rename itself
    }
    close(dir);  // and the lock with it
  }
  if (!done) {
    writable_ = false;
    WarnOnce("quillo-eval: cannot write the history file " + path_ + ": " + std::strerror(error) +
             "; formulas are not kept");
  }
}

void HistoryFile::WarnOnce(const std::string& message) {
  if (warned_) return;
  warned_ = true;
  if (warn_) warn_(message);
}

}  // namespace quillo_eval
