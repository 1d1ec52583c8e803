#include "interactive_session.h"

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <histedit.h>
#include <langinfo.h>
#include <string>
#include <string_view>

#include "formula_completion.h"
#include "form/form.h"
#include "history_file.h"
#include "line_editor.h"

namespace quillo_eval {

namespace {

constexpr char kPrompt[] = "> ";

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) { interrupted = 1; }

// The loaded editor, for the callbacks it makes.
const LineEditor* libedit = nullptr;

const char* Prompt(EditLine*) { return kPrompt; }

// Tab: completes the function name in front of the cursor.
unsigned char CompleteName(EditLine* el, int) {
  const LineInfo* line = libedit->el_line(el);
  const std::string_view before(line->buffer, static_cast<std::size_t>(line->cursor - line->buffer));
  const bool openAfter = line->cursor < line->lastchar && *line->cursor == '(';
  const Completion completion = CompleteFunctionName(before, openAfter);
  if (completion.candidates.empty() && completion.insert.empty()) return CC_ERROR;  // beep
  if (completion.replace > 0) libedit->el_deletestr(el, static_cast<int>(completion.replace));
  if (!completion.insert.empty() && libedit->el_insertstr(el, completion.insert.c_str()) != 0)
    return CC_ERROR;
  if (completion.candidates.empty()) {
    if (openAfter) libedit->el_cursor(el, 1);  // past the "(" that was there
    return CC_REFRESH;
  }
  // Several names: list them under the line, then draw the line again.
  std::string list = "\r\n";
  for (const std::string_view name : completion.candidates) {
    list.append(name);
    list.append("  ");
  }
  list.append("\r\n");
  std::fwrite(list.data(), 1, list.size(), stdout);
  std::fflush(stdout);
  return CC_REDISPLAY;
}

// The editor reads characters by the locale; formulas are UTF-8 whatever
// the locale says (full-width brackets and digits are part of the language).
void UseUtf8Characters() {
  std::setlocale(LC_CTYPE, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

class Editor {
public:
  Editor()
      : el_(libedit->el_init("quillo-eval", stdin, stdout, stderr)),
        history_(libedit->history_init()) {}
  ~Editor() {
    if (el_ != nullptr) libedit->el_end(el_);
    if (history_ != nullptr) libedit->history_end(history_);
  }
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  bool Ready() const { return el_ != nullptr && history_ != nullptr; }
  EditLine* el() const { return el_; }
  History* history() const { return history_; }

private:
  EditLine* el_;
  History* history_;
};

}  // namespace

int RunInteractive(HistoryFile& historyFile) {
  std::string error;
  libedit = LoadLineEditor(error);
  if (libedit == nullptr) {
    std::fprintf(stderr, "quillo-eval: cannot load the line editor: %s\n", error.c_str());
    return 2;
  }
  UseUtf8Characters();
  Editor editor;
  if (!editor.Ready()) {
    std::fprintf(stderr, "quillo-eval: cannot start the line editor\n");
    return 2;
  }
  EditLine* el = editor.el();
  HistEvent event;
  libedit->history(editor.history(), &event, H_SETSIZE, static_cast<int>(HistoryFile::kLimit));
  libedit->history(editor.history(), &event, H_SETUNIQUE, 1);
  for (const std::string& formula : historyFile.Load())
    libedit->history(editor.history(), &event, H_ENTER, formula.c_str());

  libedit->el_set(el, EL_EDITOR, "emacs");
  libedit->el_set(el, EL_PROMPT, Prompt);
  libedit->el_set(el, EL_HIST, libedit->history, editor.history());
  // The editor cooks the terminal again and passes the signal on when one
  // arrives while it reads, and follows window size changes.
  libedit->el_set(el, EL_SIGNAL, 1);
  // The wide form: the editor keeps these two pointers (the narrow form
  // would hand it copies that it never frees).
  libedit->el_wset(el, EL_ADDFN, L"quillo-complete", L"complete a function name", CompleteName);
  libedit->el_set(el, EL_BIND, "^I", "quillo-complete", nullptr);
  // As in other terminal programs: reverse search, and Ctrl-W and Ctrl-U
  // rub out the word and everything in front of the cursor.
  libedit->el_set(el, EL_BIND, "^R", "em-inc-search-prev", nullptr);
  libedit->el_set(el, EL_BIND, "^W", "ed-delete-prev-word", nullptr);
  libedit->el_set(el, EL_BIND, "^U", "vi-kill-line-prev", nullptr);
  // Home, End and Delete as terminals send them (the editor knows only the
  // terminal description's own forms).
  for (const char* home : {"\033[1~", "\033[7~", "\033[H", "\033OH"})
    libedit->el_set(el, EL_BIND, home, "ed-move-to-beg", nullptr);
  for (const char* end : {"\033[4~", "\033[8~", "\033[F", "\033OF"})
    libedit->el_set(el, EL_BIND, end, "ed-move-to-end", nullptr);
  libedit->el_set(el, EL_BIND, "\033[3~", "ed-delete-next-char", nullptr);
  libedit->el_source(el, nullptr);  // ~/.editrc may change all of that

  // Ctrl-C abandons the line: the signal interrupts the editor's read.
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  struct sigaction previous;
  sigaction(SIGINT, &action, &previous);

  int status = 0;
  for (;;) {
    interrupted = 0;
    int count = 0;
    const char* text = libedit->el_gets(el, &count);
    if (interrupted) {
      std::fputs("^C\n", stdout);
      libedit->el_reset(el);
      continue;
    }
    if (text == nullptr) {
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) {
        std::fprintf(stderr, "quillo-eval: cannot read the terminal: %s\n", std::strerror(errno));
        status = 2;
      }
      std::fputs("\n", stdout);  // Ctrl-D leaves the cursor behind the prompt
      break;
    }
    std::string_view formula(text, static_cast<std::size_t>(count));
    while (!formula.empty() && (formula.back() == '\n' || formula.back() == '\r'))
      formula.remove_suffix(1);
    if (IsBlank(formula)) continue;
    const std::string kept(formula);  // `text` is the editor's buffer
    libedit->history(editor.history(), &event, H_ENTER, kept.c_str());
    const Quillo::Form::EnterOutcome line = Quillo::Form::Enter(kept);
    std::fwrite(line.text.data(), 1, line.text.size(), stdout);
    std::fputc('\n', stdout);
    if (std::fflush(stdout) != 0) {
      std::fprintf(stderr, "quillo-eval: cannot write to the terminal: %s\n", std::strerror(errno));
      status = 2;
      break;
    }
    historyFile.Add(kept);
  }
  sigaction(SIGINT, &previous, nullptr);
  if (std::fflush(stdout) != 0) status = 2;
  return status;
}

}  // namespace quillo_eval
