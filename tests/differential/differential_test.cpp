// The engine against the reference engine, formula by formula, over a seeded
// random corpus: both must return the same text and call the message box the
// same way (once, with the same prompt, style and title, on failure; never on
// success). QUILLO_DIFF_SEED and QUILLO_DIFF_SCALE (a multiplier of the
// corpus size) vary the corpus for longer runs by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "formula_families.h"
#include "formula_generator.h"
#include "quillo/calc_string.h"
#include "reference_engine.h"

namespace {

struct Outcome {
  std::string text;
  bool isText = true;  // the engine's value is a text, as every result must be
  std::vector<std::string> calls;  // prompt | style | title of each box call

  bool operator==(const Outcome&) const = default;
};

Outcome FromEngine(const std::string& formula) {
  Outcome out;
  const auto value = CalcString::CalcFormula(formula, [&out](const std::string& p, int s, const std::string& t) {
    out.calls.push_back(p + " | " + std::to_string(s) + " | " + t);
  });
  out.isText = std::holds_alternative<std::string>(value);
  out.text = CalcString::ToText(value);
  return out;
}

Outcome FromReference(const std::string& formula) {
  Outcome out;
  out.text = Reference::CalcFormula(formula, [&out](const std::string& p, int s, const std::string& t) {
    out.calls.push_back(p + " | " + std::to_string(s) + " | " + t);
  });
  return out;
}

// Printable: bytes outside ASCII as \xHH, long texts shortened.
std::string Show(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size() && out.size() < 200; ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  if (out.size() >= 200) out += "... (" + std::to_string(s.size()) + " bytes)";
  return out;
}

std::uint64_t Setting(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text ? std::strtoull(text, nullptr, 0) : fallback;
}

// What the corpus held, so that a corpus that stopped exercising the engine
// shows up as a failure too.
struct Tally {
  std::size_t formulas = 0;
  std::size_t results = 0;
  std::size_t generic = 0;
  std::size_t unbalanced = 0;
  std::size_t unsupported = 0;
  std::size_t mismatches = 0;

  void Count(const Outcome& o) {
    ++formulas;
    if (o.calls.empty()) ++results;
    else if (o.text == CalcString::kMessageGeneric) ++generic;
    else if (o.text.rfind(CalcString::kMessageUnsupported, 0) == 0) ++unsupported;
    else ++unbalanced;
  }
};

void Compare(const std::string& formula, Tally& tally) {
  Outcome engine = FromEngine(formula);
  Outcome reference = FromReference(formula);
  tally.Count(reference);
  // Both must have drawn as many random numbers: the next draw tells.
  if (engine == reference) {
    const Outcome nextEngine = FromEngine("rand()");
    const Outcome nextReference = FromReference("rand()");
    if (!(nextEngine == nextReference)) {
      engine.text += " (next rand() " + nextEngine.text + ")";
      reference.text += " (next rand() " + nextReference.text + ")";
    }
  }
  if (engine == reference) return;
  if (++tally.mismatches <= 20) {
    ADD_FAILURE() << "formula   " << Show(formula) << "\nengine    " << Show(engine.text)
                  << (engine.isText ? "" : " (not a text)") << ", " << engine.calls.size()
                  << " box call(s)" << (engine.calls.empty() ? "" : ": " + Show(engine.calls[0]))
                  << "\nreference " << Show(reference.text) << ", " << reference.calls.size()
                  << " box call(s)" << (reference.calls.empty() ? "" : ": " + Show(reference.calls[0]));
  }
}

// The engine alone, where the reference engine would cost too much: the
// sanitizer build's check of the engine's memory on long formulas.
void EngineAlone(const std::string& formula, Tally& tally) { tally.Count(FromEngine(formula)); }

void Report(const char* what, const Tally& t) {
  std::printf("%s: %zu formulas, %zu results, %zu generic, %zu unbalanced, %zu unsupported, %zu mismatches\n",
              what, t.formulas, t.results, t.generic, t.unbalanced, t.unsupported, t.mismatches);
}

constexpr std::uint64_t kSeed = QuilloCorpus::kCorpusSeed;

TEST(Differential, ShortFormulas) {
  const std::uint64_t seed = Setting("QUILLO_DIFF_SEED", kSeed);
  const std::size_t count = 40000 * Setting("QUILLO_DIFF_SCALE", 1);
  QuilloCorpus::FormulaGenerator generator(seed);
  CalcString::ResetRandom();
  Reference::ResetRandom();
  Tally tally;
  for (std::size_t i = 0; i < count; ++i) Compare(generator.Next(), tally);
  Report("short", tally);
  EXPECT_EQ(tally.mismatches, 0u);
  // The corpus must reach every outcome, and results in good number.
  EXPECT_GT(tally.results, count / 4);
  EXPECT_GT(tally.generic, count / 10);
  EXPECT_GT(tally.unbalanced, 0u);
  EXPECT_GT(tally.unsupported, 0u);
}

TEST(Differential, LongFormulas) {
  const std::uint64_t seed = Setting("QUILLO_DIFF_SEED", kSeed) + 1;
  const std::size_t count = 60 * Setting("QUILLO_DIFF_SCALE", 1);
  QuilloCorpus::FormulaGenerator generator(seed);
  CalcString::ResetRandom();
  Reference::ResetRandom();
  // Under AddressSanitizer every text the quadratic reference engine splices
  // is a fresh mapping of memory: minutes of page faults for one run.
  const auto check = Setting("QUILLO_DIFF_LONG_REFERENCE", 1) != 0 ? Compare : EngineAlone;
  Tally tally;
  // Every family just inside and just across the limit.
  for (const auto& info : QuilloCorpus::AllFamilies()) {
    check(QuilloCorpus::BuildFamily(info.family, 32767), tally);
    check(QuilloCorpus::BuildFamily(info.family, 32771), tally);
  }
  for (std::size_t i = 0; i < count; ++i) check(generator.NextLong(), tally);
  Report("long", tally);
  EXPECT_EQ(tally.mismatches, 0u);
  EXPECT_GT(tally.results, 0u);
  EXPECT_GT(tally.generic, 0u);
}

}  // namespace
