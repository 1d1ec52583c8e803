// The interactive mode: a prompt with line editing (libedit), recall of
// earlier formulas, also of earlier sessions, and completion of the function
// names. Standard input and output must be a terminal.
#pragma once

namespace quillo_eval {

class HistoryFile;

// Runs until Ctrl-D on an empty line or the end of input; returns the exit
// status: 0, or 2 when reading or writing failed.
int RunInteractive(HistoryFile& historyFile);

}  // namespace quillo_eval
