// The line editor (libedit), loaded when a session at a terminal starts.
// Batch runs, which most starts of quillo-eval are, then never pay for
// loading it and the libraries it brings along (the terminal database,
// libbsd, libmd).
#pragma once

#include <histedit.h>

#include <string>

namespace quillo_eval {

// The editor's functions that the interactive session calls.
#define QUILLO_LINE_EDITOR_FUNCTIONS(F)                                                    \
  F(el_init) F(el_end) F(el_wline) F(el_deletestr) F(el_insertstr) F(el_cursor) F(el_set) \
  F(el_wset) F(el_source) F(el_wgets) F(el_reset) F(el_resize) F(history_winit)           \
  F(history_wend) F(history_w)

struct LineEditor {
#define QUILLO_LINE_EDITOR_MEMBER(name) decltype(&::name) name = nullptr;
  QUILLO_LINE_EDITOR_FUNCTIONS(QUILLO_LINE_EDITOR_MEMBER)
#undef QUILLO_LINE_EDITOR_MEMBER
};

// Loads the editor once; null, with the reason in `error`, when it cannot.
const LineEditor* LoadLineEditor(std::string& error);

}  // namespace quillo_eval
