// The reference engine: a literal transcription of the calculator's formula
// algorithms, kept only for tests and benchmarks. The working text and the
// postfix text are real texts, rewritten by splicing; positions are counted
// in characters from 1 and checked against the 16-bit limit exactly where the
// algorithms compute them. It is allowed to be slow (quadratic); the
// differential test demands that the calculator's engine gives the same
// results.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace Reference {

// The platform's modal message box: prompt, style, title.
using MessageBox = std::function<void(const std::string& prompt, int style, const std::string& title)>;

// Evaluates a whole formula (UTF-8). Returns the result text; on failure
// calls `box` once and returns the message instead.
std::string CalcFormula(std::string_view source, const MessageBox& box);

// Starts the "rand" sequence again from its seed.
void ResetRandom();

}  // namespace Reference
