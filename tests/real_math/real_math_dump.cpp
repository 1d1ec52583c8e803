// Prints every call of the sweep with its arguments and result as the bits
// of the doubles, one line each: the Linux and the Windows build of this
// program must print the same lines.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <bit>
#include <string>

#include "real_math_sweep.h"

namespace {

void AppendBits(std::string& line, double v) {
  char buf[17];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, std::bit_cast<std::uint64_t>(v), 16);
  line.append(16 - (end - buf), '0').append(buf, end);
}

}  // namespace

int main() {
  std::string out;
  for (const auto& calls : {RealMathSweep::Table(), RealMathSweep::RandomSweep()}) {
    for (const auto& c : calls) {
      out += RealMathSweep::kNames[static_cast<int>(c.fn)];
      out += ' ';
      AppendBits(out, c.x);
      out += ' ';
      AppendBits(out, c.y);
      out += ' ';
      AppendBits(out, RealMathSweep::Evaluate(c));
      out += '\n';
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}
