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
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "formula_completion.h"
#include "form/form.h"
#include "history_file.h"
#include "line_editor.h"
#include "terminal_keys.h"
#include "visible_text.h"

namespace quillo_eval {

namespace {

constexpr char kPrompt[] = "> ";

volatile std::sig_atomic_t interrupted = 0;
volatile std::sig_atomic_t resized = 0;

void OnInterrupt(int) { interrupted = 1; }
void OnResize(int) { resized = 1; }

// The loaded editor, for the callbacks it makes.
const LineEditor* libedit = nullptr;

const char* Prompt(EditLine*) { return kPrompt; }

// The editor's input: the terminal's bytes through the key decoder, one
// character at a time. After a resize the line is drawn afresh on a new
// line: where the terminal has moved the old one to is not known.
KeyDecoder decoder;
std::wstring decoded;
std::size_t decodedAt = 0;

int ReadCharacter(EditLine* el, wchar_t* c) {
  for (;;) {
    if (decodedAt < decoded.size()) {
      *c = decoded[decodedAt++];
      return 1;
    }
    decoded.clear();
    decodedAt = 0;
    if (resized) {
      resized = 0;
      libedit->el_resize(el);
      std::fputs("\r\n\033[J", stdout);
      std::fflush(stdout);
      decoded.assign(kRedisplay.begin(), kRedisplay.end());
      continue;
    }
    unsigned char byte;
    const ssize_t n = read(STDIN_FILENO, &byte, 1);
    if (n == 1) {
      decoder.Feed(byte, decoded);
    } else if (n == 0) {
      return 0;
    } else if (errno != EINTR || interrupted) {
      return -1;  // Ctrl-C ends the read with EINTR
    }
  }
}

// Tab: completes the function name in front of the cursor.
unsigned char CompleteName(EditLine* el, int) {
  const LineInfoW* line = libedit->el_wline(el);
  const std::string before = EncodeLine(
      std::wstring_view(line->buffer, static_cast<std::size_t>(line->cursor - line->buffer)));
  const bool openAfter = line->cursor < line->lastchar && (*line->cursor == L'(' || *line->cursor == L'（');
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

// The editor puts the terminal into its own mode (no echo, key by key) only
// when it reads the first key, after it has drawn the prompt; a key arriving
// in between was echoed by the terminal behind the prompt (Up as "^[[A"),
// where the editor's redrawing left parts of it standing. So the terminal is
// switched before the prompt is drawn, and kept so between lines.
void EnterEditMode(EditLine* el) { libedit->el_set(el, EL_PREP_TERM, 1); }

bool TerminalEchoes() {
  termios mode{};
  return tcgetattr(STDIN_FILENO, &mode) != 0 || (mode.c_lflag & ECHO) != 0;
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

class Editor {
public:
  Editor()
      : el_(libedit->el_init("quillo-eval", stdin, stdout, stderr)),
        history_(libedit->history_winit()) {}
  ~Editor() {
    if (el_ != nullptr) libedit->el_end(el_);
    if (history_ != nullptr) libedit->history_wend(history_);
  }
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  bool Ready() const { return el_ != nullptr && history_ != nullptr; }
  EditLine* el() const { return el_; }
  HistoryW* history() const { return history_; }

private:
  EditLine* el_;
  HistoryW* history_;
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
  HistEventW event;
  libedit->history_w(editor.history(), &event, H_SETSIZE, static_cast<int>(HistoryFile::kLimit));
  libedit->history_w(editor.history(), &event, H_SETUNIQUE, 1);
  for (const std::string& formula : historyFile.Load())
    libedit->history_w(editor.history(), &event, H_ENTER, DecodeLine(formula).c_str());

  libedit->el_set(el, EL_EDITOR, "emacs");
  libedit->el_set(el, EL_PROMPT, Prompt);
  libedit->el_wset(el, EL_HIST, libedit->history_w, editor.history());
  libedit->el_set(el, EL_GETCFN, ReadCharacter);
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
  // The keys as the key decoder passes them on, in whatever form the
  // terminal sent them: arrows, Home, End, Delete, and word by word with
  // Ctrl or Alt.
  for (const KeyBinding& key : kKeyBindings) libedit->el_set(el, EL_BIND, key.sequence, key.function, nullptr);
  libedit->el_source(el, nullptr);  // ~/.editrc may change all of that

  // Ctrl-C abandons the line: the signal interrupts the editor's read.
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  struct sigaction previous;
  sigaction(SIGINT, &action, &previous);
  // A resize is drawn anew (the handler interrupts the read: no SA_RESTART).
  action.sa_handler = OnResize;
  struct sigaction previousResize;
  sigaction(SIGWINCH, &action, &previousResize);

  // Keys typed ahead of the start have been echoed by the terminal where the
  // prompt is about to go; the editor shows them again behind the prompt, so
  // their echo is wiped.
  EnterEditMode(el);
  int pending = 0;
  if (!TerminalEchoes() && ioctl(STDIN_FILENO, FIONREAD, &pending) == 0 && pending > 0) {
    std::fputs("\r\033[K", stdout);
    std::fflush(stdout);
  }
  int status = 0;
  for (;;) {
    interrupted = 0;
    int count = 0;
    EnterEditMode(el);
    const wchar_t* text = libedit->el_wgets(el, &count);
    // The editor hands the line over with the terminal cooked; what is typed
    // while the line is evaluated and kept waits unechoed for the next one.
    if (text != nullptr) EnterEditMode(el);
    if (interrupted) {
      std::fputs("^C\n", stdout);
      libedit->el_reset(el);
      decoder = KeyDecoder();
      decoded.clear();
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
    std::wstring_view typed(text, static_cast<std::size_t>(count));
    while (!typed.empty() && (typed.back() == L'\n' || typed.back() == L'\r')) typed.remove_suffix(1);
    // The bytes as typed: a formula that is not UTF-8 fails as in batch mode.
    const std::string kept = EncodeLine(typed);
    if (IsBlank(kept)) continue;
    libedit->history_w(editor.history(), &event, H_ENTER, std::wstring(typed).c_str());
    const Quillo::Form::EnterOutcome line = Quillo::Form::Enter(kept);
    const std::string shown = VisibleText(line.text);
    std::fwrite(shown.data(), 1, shown.size(), stdout);
    std::fputc('\n', stdout);
    if (std::fflush(stdout) != 0) {
      std::fprintf(stderr, "quillo-eval: cannot write to the terminal: %s\n", std::strerror(errno));
      status = 2;
      break;
    }
    historyFile.Add(kept);
  }
  sigaction(SIGINT, &previous, nullptr);
  sigaction(SIGWINCH, &previousResize, nullptr);
  if (std::fflush(stdout) != 0) status = 2;
  return status;
}

}  // namespace quillo_eval
