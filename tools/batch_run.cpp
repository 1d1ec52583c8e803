#include "batch_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "formula_line.h"

namespace quillo_eval {

namespace {

class Output {
public:
  // False once writing has failed.
  bool Line(std::string_view formula, bool& allOk) {
    const FormulaLine line = EvaluateFormula(formula);
    allOk = allOk && line.ok;
    std::fwrite(line.text.data(), 1, line.text.size(), stdout);
    return std::putchar('\n') != EOF;
  }
};

// Reads standard input in blocks and evaluates each complete line; flushes
// what was written before every read, which is the moment the program might
// wait. Returns 2 on a read or write failure, else 0.
int EvaluateStdin(Output& out, bool& allOk) {
  static char block[1 << 16];
  std::string pending;  // a line begun in an earlier block
  for (;;) {
    if (std::fflush(stdout) != 0) return 2;
    const ssize_t n = read(STDIN_FILENO, block, sizeof block);
    if (n < 0) {
      if (errno == EINTR) continue;
      std::fprintf(stderr, "quillo-eval: cannot read standard input: %s\n", std::strerror(errno));
      return 2;
    }
    if (n == 0) break;
    std::string_view rest(block, static_cast<std::size_t>(n));
    for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos;) {
      std::string_view line = rest.substr(0, end);
      rest.remove_prefix(end + 1);
      if (!pending.empty()) {
        pending.append(line);
        line = pending;
      }
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      const bool written = out.Line(line, allOk);
      pending.clear();
      if (!written) return 2;
    }
    pending.append(rest);
  }
  // A last line without its line break still counts.
  if (!pending.empty()) {
    std::string_view line = pending;
    if (line.back() == '\r') line.remove_suffix(1);
    if (!out.Line(line, allOk)) return 2;
  }
  return 0;
}

}  // namespace

int RunBatch(const std::vector<Source>& sources) {
  Output out;
  bool allOk = true;
  for (const Source& source : sources) {
    const int status = source.fromStdin ? EvaluateStdin(out, allOk)
                                        : (out.Line(source.formula, allOk) ? 0 : 2);
    if (status != 0) return status;
  }
  if (std::fflush(stdout) != 0) return 2;
  return allOk ? 0 : 1;
}

}  // namespace quillo_eval
