#include "formula_generator.h"

#include "formula_families.h"

namespace QuilloCorpus {
namespace {

constexpr const char* kFunctions[] = {"pi",  "rand", "abs", "int", "sqrt",  "sin",  "Asin",
                                      "cos", "Acos", "tan", "mod", "power", "round"};

constexpr const char* kUnknownNames[] = {
    "foo", "sinh", "log", "π", "2", "a1", "pi2", "sin2", "ｓｉｎ", "Ｐｏｗｅｒ", "S\u0130N",
    "rnd", "e", "E", "x", "中文", "ab c", "s in", "1E", "..", "_", "Ａｂｓ"};

constexpr const char* kSpecialNumbers[] = {
    "0", "0.1", "0.2", "0.5", "1.005", "2.5", "3.5", "6.5", "7.5", "30", "1", "2", "3", "10", "100",
    "0.0001", "0.00001", "1E-05", "1E+15", "1E15", "123456789012345", "1234567890123456",
    "999999999999999.5", "99999999999999.99", "0.99999999", "1E+308", "1.7976931348623157E+308",
    "1.79769313486232E+308", "1E309", "1E400", "1E-320", "4.9E-324", "1E-400", "2147483647",
    "2147483647.5", "2147483648", "4294967296", "3.14159265358979", "1.5E+20", "007", "0.000",
    "00.50", "1E-4", "9.99999999999999E+14", "0.00009999999999999995"};

constexpr const char* kBrokenNumbers[] = {"1E", "E5", "1E+", "1.5.2", "1e-5e-5", ".", "1..2",
                                          "0x10", "inf", "nan", "1_000", "1e+-5", ".E-5", "5.E+3"};

constexpr const char* kOperators[] = {"+", "-", "*", "/", "^"};
constexpr const char* kOddOperators[] = {"**", "*+", "^-", "--", "---", "+-", "-+", "//", "^^", "*-"};
constexpr const char* kBlanks[] = {" ", "\t", "\r", "\n", "\u3000", "  "};
constexpr const char* kJunk[] = {"\xff", "\xc0\x80", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\x80",
                                 "\xe4\xb8", "\xc3", "\xf0\x9f\x98", "\xfe", "\xef\xbf\xbd"};
constexpr const char* kWide[] = {"中", "π", "é", "😀", "\u00a0", "\uff5f", "\uff00", "\u2212",
                                 "（", "）", "，", "＋", "－", "＊", "／", "＾", "０", "５", "．", "Ｅ"};
constexpr const char* kSprinkles[] = {"(", ")", "+", "-", "*", "/", "^", ",", ".", "E", "e", "0",
                                      "1", "9", "a", "s", "(", ")", "()", ")("};

// The full-width twin of an ASCII character "!".."~", in UTF-8.
std::string Wide(char c) {
  const unsigned code = 0xFF01u + static_cast<unsigned char>(c) - 0x21u;
  std::string out;
  out += static_cast<char>(0xE0 | (code >> 12));
  out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  out += static_cast<char>(0x80 | (code & 0x3F));
  return out;
}

std::string Times(std::string_view piece, std::size_t count) {
  std::string out;
  out.reserve(piece.size() * count);
  for (std::size_t i = 0; i < count; ++i) out.append(piece);
  return out;
}

}  // namespace

std::uint64_t FormulaGenerator::Bits() {
  // splitmix64
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::size_t FormulaGenerator::Below(std::size_t n) { return static_cast<std::size_t>(Bits() % n); }

void FormulaGenerator::Number(std::string& out) {
  auto digits = [&](std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) out += static_cast<char>('0' + Below(10));
  };
  switch (Below(rough_ ? 12 : 10)) {
    case 0: out += Pick(kSpecialNumbers); break;
    case 1: digits(1 + Below(3)); out += '.'; digits(1 + Below(4)); break;
    case 2: out += '.'; digits(1 + Below(3)); break;
    case 3:  // exponent form
      digits(1 + Below(2));
      if (Chance(40)) { out += '.'; digits(Below(3)); }
      out += Chance(70) ? 'E' : 'e';
      if (!Chance(20)) out += Chance(50) ? '-' : '+';
      digits(1 + Below(2));
      break;
    case 4: digits(Chance(80) ? 1 + Below(4) : 12 + Below(12)); break;
    case 5: out += Chance(50) ? "0." : "1."; digits(1 + Below(15)); break;
    case 10: out += Pick(kBrokenNumbers); break;
    case 11: digits(14 + Below(10)); break;
    default: digits(1 + Below(2)); break;
  }
}

std::string FormulaGenerator::FunctionName() {
  if (Chance(rough_ ? 25 : 3)) return Pick(kUnknownNames);
  std::string name = Pick(kFunctions);
  for (char& c : name) {
    if (Chance(30)) c = static_cast<char>(c >= 'a' ? c - 32 : c + 32);
  }
  return name;
}

void FormulaGenerator::PowerSuffix(std::string& out, int depth) {
  out += '^';
  switch (Below(8)) {
    case 0: out += '-'; Number(out); break;
    case 1: out += "--"; Number(out); break;
    case 2: out += '('; Expression(out, depth - 1); out += ')'; break;
    case 3: if (!rough_) out += '2'; break;  // rough: nothing behind the "^"
    case 4: out += rough_ ? Pick(kOddOperators) : "-"; Number(out); break;
    default: Number(out); break;
  }
}

// Something that would run on into a group's value: "(1+2)3", "pi().5".
void FormulaGenerator::Glued(std::string& out) {
  constexpr const char* kGlue[] = {".", "E+1", "e", "x", " 5", "．５", "０"};
  if (Chance(50)) Number(out);
  else out += Pick(kGlue);
}

void FormulaGenerator::Call(std::string& out, int depth) {
  const std::string name = FunctionName();
  out += name;
  out += '(';
  std::string lower = name;
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  const std::size_t arity = lower == "mod" || lower == "power" || lower == "round" ? 2
                            : lower == "pi" || lower == "rand"                      ? 0
                                                                                    : 1;
  const std::size_t arguments = !rough_ || Chance(80) ? arity : Below(4);
  for (std::size_t i = 0; i < arguments; ++i) {
    if (i > 0) out += ',';
    if (!rough_ || !Chance(5)) Expression(out, depth - 1);
  }
  out += ')';
  if (Chance(15)) PowerSuffix(out, depth);
}

void FormulaGenerator::Operand(std::string& out, int depth) {
  const std::size_t sign = Below(100);
  if (sign < 12) out += '-';
  else if (sign < 16) out += "--";
  else if (sign < 17) out += "---";
  const std::size_t kind = Below(100);
  if (depth > 0 && kind < 18) {
    out += '(';
    Expression(out, depth - 1);
    out += ')';
    if (Chance(25)) PowerSuffix(out, depth);
    if (rough_ && Chance(6)) Glued(out);
  } else if (depth > 0 && kind < 40) {
    Call(out, depth);
    if (rough_ && Chance(6)) Glued(out);
  } else if (rough_ && kind < 45) {
    out += Pick(kUnknownNames);
  } else if (rough_ && kind < 47) {
    // nothing: an empty operand
  } else {
    Number(out);
  }
}

void FormulaGenerator::Expression(std::string& out, int depth) {
  Operand(out, depth);
  if (rough_ && depth > 0 && Chance(5)) {  // a group right behind an operand: "2(3)"
    out += '(';
    Expression(out, depth - 1);
    out += ')';
  }
  const std::size_t more = Below(4);
  for (std::size_t i = 0; i < more; ++i) {
    out += rough_ && Chance(8) ? Pick(kOddOperators) : Pick(kOperators);
    Operand(out, depth);
  }
}

void FormulaGenerator::Spoil(std::string& f) {
  const std::size_t times = 1 + Below(3);
  for (std::size_t t = 0; t < times; ++t) {
    const std::size_t at = Below(f.size() + 1);
    switch (Below(10)) {
      case 0: f.insert(at, Pick(kBlanks)); break;
      case 1:
        if (at < f.size() && f[at] > ' ' && f[at] < 0x7F) f.replace(at, 1, Wide(f[at]));
        break;
      case 2: f.insert(at, 1, static_cast<char>(Below(256))); break;
      case 3: f.insert(at, Pick(kJunk)); break;
      case 4: f.insert(at, Pick(kWide)); break;
      case 5: if (at < f.size()) f.erase(at, 1); break;
      case 6: f.insert(at, f.substr(Below(f.size() + 1), Below(6))); break;
      case 7: if (at + 1 < f.size()) std::swap(f[at], f[at + 1]); break;
      case 8: f.insert(at, Pick(kSprinkles)); break;
      default: f.resize(at); break;
    }
  }
}

std::string FormulaGenerator::Next() {
  rough_ = Chance(40);
  std::string f;
  const std::size_t kind = Below(100);
  if (kind < 2) {
    f = Chance(50) ? "" : Pick(kBlanks);
  } else if (kind < 6) {
    // Every ASCII character full-width, blanks between some.
    std::string plain;
    Expression(plain, static_cast<int>(Below(3)));
    for (char c : plain) {
      f += c > ' ' && c < 0x7F ? Wide(c) : std::string(1, c);
      if (Chance(10)) f += Pick(kBlanks);
    }
  } else {
    Expression(f, static_cast<int>(Below(4)));
    if (rough_ && Chance(60)) Spoil(f);
    if (!rough_ && Chance(10)) f.insert(Below(f.size() + 1), Pick(kBlanks));
  }
  return f;
}

std::string FormulaGenerator::NearLimit() {
  constexpr std::size_t kLimit = 32767;
  const std::size_t near = kLimit - 8 + Below(16);  // 32,759 .. 32,774
  switch (Below(10)) {
    case 0: {
      // A group placed so that its "(" or ")" (and the position behind) meet
      // the limit: a flat sum in front, of even length.
      const char* groups[] = {"(2)", "(2)^2", "(2)^-1", "sin(1)", "pi()", "(1)^1E+1", "foo(1)"};
      const std::string group = Pick(groups);
      const std::size_t ones = (near - group.size()) / 2;
      return Times("1+", ones) + group;
    }
    case 1: {
      // A name of characters that take three bytes each: positions count
      // characters, not bytes.
      return Times("中", near - 3 - Below(3)) + "(1)";
    }
    case 2: {
      // Operands whose lengths put the first "," of the postfix text on the
      // limit: a looser operator in front of tighter ones.
      const std::size_t total = near - 4;
      const std::size_t a = total / 3 + Below(5);
      const std::size_t b = total - a - 1 - Below(2);
      return "1." + Times("0", a - 2) + "+1." + Times("0", b - 2) + "*2";
    }
    case 3: {
      // One long number in front of an operator: the scan position limit.
      return "0." + Times("0", near - 4) + "1+1";
    }
    case 4: {
      // Bracket counts on the 16-bit limit.
      const std::size_t n = kLimit - 2 + Below(4);
      const std::size_t m = Chance(70) ? n : n + Below(3) - 1;
      return Times("(", n) + "1" + Times(")", m);
    }
    case 5: {
      // Many groups up to the limit, the last with a power.
      const std::size_t n = near / 4;
      return Times("(1)+", n - 1) + (Chance(50) ? "(2)^2" : "(2)");
    }
    case 6: {
      // A family on or just across the limit.
      const auto& families = AllFamilies();
      return BuildFamily(families[Below(families.size())].family, near);
    }
    case 7: {
      // Exponent forms and signs deep in a long sum.
      std::string f;
      while (f.size() < near) f += Chance(50) ? "1E-05+" : "--2.5E+1*";
      f += "1";
      return f;
    }
    case 8: {
      // Calls whose values are longer than the calls: the working text grows.
      const char* calls[] = {"pi()+", "sin(1)+", "rand()*", "Acos(0.3)-", "(1/3)*"};
      const std::string call = Pick(calls);
      return Times(call, near / call.size()) + "1";
    }
    default: {
      // A long operand as the last one.
      return "1+1." + Times("5", near - 4 + Below(3));
    }
  }
}

std::string FormulaGenerator::NextLong() {
  if (Chance(60)) return NearLimit();
  // Many short formulas joined into one of a few thousand characters.
  rough_ = Chance(30);
  const std::size_t target = 1000 + Below(6000);
  std::string f = "1";
  while (f.size() < target) {
    f += Pick(kOperators);
    std::string part;
    Expression(part, static_cast<int>(Below(4)));
    if (rough_ && Chance(15)) Spoil(part);
    f += part;
  }
  return f;
}

}  // namespace QuilloCorpus
