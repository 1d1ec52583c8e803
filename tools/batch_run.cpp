#include "batch_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "form/form.h"
#include "platform_io.h"
#include "quillo/calc_string.h"
#include "visible_text.h"

namespace quillo_eval {

namespace {

int Failed(const char* what) {
  const std::string reason = std::strerror(errno);
  WriteStandardError(std::string("quillo-eval: cannot ") + what + ": " + reason + "\n");
  return 2;
}

int WriteFailed() { return Failed("write standard output"); }

// Evaluates one formula and writes its line; false once writing has failed.
bool WriteLine(std::string_view formula, bool& allOk) {
  const Quillo::Form::EnterOutcome line = Quillo::Form::Enter(formula);
  allOk = allOk && line.kind != Quillo::Form::EnterOutcome::Kind::Rejected;
  const std::string text = VisibleText(line.text);
  return WriteStandardOutput(text) && WriteStandardOutput("\n");
}

// The lines of standard input, each evaluated as it is complete. A line that
// runs on beyond kMaxLineBytes (a file without line breaks, /dev/zero) is not
// kept: it gets the message of a formula that cannot be evaluated.
class LineSplitter {
public:
  static constexpr std::size_t kMaxLineBytes = 64u << 20;

  explicit LineSplitter(bool& allOk) : allOk_(allOk) {}

  // One block as read; false once writing has failed.
  bool Feed(std::string_view block) {
    for (std::size_t end; (end = block.find('\n')) != std::string_view::npos;) {
      const std::string_view line = block.substr(0, end);
      block.remove_prefix(end + 1);
      if (pending_.empty() && !overlong_) {
        if (!Finish(line)) return false;  // the usual case: no copy
      } else {
        Keep(line);
        if (!FinishPending()) return false;
      }
    }
    Keep(block);
    return true;
  }

  // The end of input: a last line without its line break still counts.
  bool End() { return (pending_.empty() && !overlong_) || FinishPending(); }

private:
  void Keep(std::string_view part) {
    if (overlong_) return;
    if (pending_.size() + part.size() > kMaxLineBytes) {
      overlong_ = true;
      std::string().swap(pending_);
      return;
    }
    pending_.append(part);
  }

  bool Finish(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    // A byte order mark (a file saved by a Windows editor) is no part of
    // the first formula.
    if (first_ && line.substr(0, kByteOrderMark.size()) == kByteOrderMark)
      line.remove_prefix(kByteOrderMark.size());
    first_ = false;
    return WriteLine(line, allOk_);
  }

  bool FinishPending() {
    bool written;
    if (overlong_) {
      allOk_ = false;
      first_ = false;
      constexpr std::string_view message = CalcString::kMessageGeneric;
      written = WriteStandardOutput(message) && WriteStandardOutput("\n");
    } else {
      written = Finish(pending_);
    }
    pending_.clear();
    overlong_ = false;
    return written;
  }

  static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

  bool& allOk_;
  bool first_ = true;    // no line finished yet
  std::string pending_;  // a line begun in an earlier block
  bool overlong_ = false;
};

// Reads standard input in blocks; flushes what was written before every
// read, which is the moment the program might wait. Returns 2 on a read or
// write failure, else 0.
int EvaluateStdin(bool& allOk) {
  static char block[1 << 16];
  LineSplitter lines(allOk);
  for (;;) {
    if (std::fflush(stdout) != 0) return WriteFailed();
    const long n = ReadStandardInput(block, sizeof block);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failed("read standard input");
    }
    if (n == 0) break;
    if (!lines.Feed(std::string_view(block, static_cast<std::size_t>(n)))) return WriteFailed();
  }
  return lines.End() ? 0 : WriteFailed();
}

}  // namespace

int RunBatch(const std::vector<Source>& sources) {
  bool allOk = true;
  for (const Source& source : sources) {
    const int status = source.fromStdin ? EvaluateStdin(allOk)
                                        : (WriteLine(source.formula, allOk) ? 0 : WriteFailed());
    if (status != 0) return status;
  }
  if (std::fflush(stdout) != 0) return WriteFailed();
  return allOk ? 0 : 1;
}

}  // namespace quillo_eval
