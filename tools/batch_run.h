// Batch mode: one output line for each formula argument and each line of
// standard input.
#pragma once

#include <vector>

#include "command_line.h"

namespace quillo_eval {

// Evaluates the sources in order and returns the exit status: 0 when every
// formula evaluated, 1 when any failed, 2 when reading or writing failed.
//
// Every answer is on its way before standard input is read again, so a
// program that writes one formula and waits for its answer gets it at once;
// a file still goes through in large blocks, written in large blocks.
int RunBatch(const std::vector<Source>& sources);

}  // namespace quillo_eval
