// A slow machine for the terminal suite, loaded into quillo-eval with
// LD_PRELOAD: the program waits before it starts, and each time before the
// terminal stops echoing (the line editor's own mode). Keys that the suite
// sends at once then arrive where a fast machine leaves them only
// microseconds: before the program has touched the terminal, and between a
// prompt showing and the editor taking the terminal over.
// SLOW_TERMINAL_MS sets the wait (500 ms unless set).
#include <dlfcn.h>
#include <termios.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace {

void Wait() {
  const char* setting = std::getenv("SLOW_TERMINAL_MS");
  const long ms = setting != nullptr ? std::atol(setting) : 500;
  timespec left{ms / 1000, (ms % 1000) * 1000000};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

__attribute__((constructor)) void BeforeStart() { Wait(); }

}  // namespace

extern "C" int tcsetattr(int fd, int when, const termios* mode) {
  using SetAttributes = int (*)(int, int, const termios*);
  static const auto next = reinterpret_cast<SetAttributes>(dlsym(RTLD_NEXT, "tcsetattr"));
  termios now{};
  if (tcgetattr(fd, &now) == 0 && (now.c_lflag & ECHO) != 0 && (mode->c_lflag & ECHO) == 0) Wait();
  return next(fd, when, mode);
}
