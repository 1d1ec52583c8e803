// startup-probe: how long a window program takes from exec until its window
// is painted, and how much memory it holds two seconds after it started.
//
//   startup-probe [--runs N] [--settle MS] [--bar-painted K:R]... [--bar-rss K:R]...
//                 PROGRAM [ARG...] [-- PROGRAM [ARG...]]...
//
// An X11 client on the display in DISPLAY (a private Xvfb: the program must be
// the only one creating windows there). It watches the root window for new
// windows and gives each a Damage object before its owner can draw, then
// starts the program; the window is painted when it is mapped and every one
// of its pixels has been drawn; its CPU time up to then is read beside the
// wall time. With --settle MS, the window is painted only when, after that,
// MS milliseconds pass without another pixel drawn into it: the time is that
// of its last drawing (a program that first fills its window with the
// background and then draws its controls again is painted when they are).
// Two seconds after the start it reads VmRSS from
// /proc/PID/status, then ends the program. One unmeasured run of each
// program first warms the caches (fontconfig, the page cache); the runs of
// several programs take turns, so that a change in the machine's load falls
// on all of them alike.
//
// Prints the medians (and the fastest and slowest run) and the machine's
// load. The bars are ratios between programs measured in the same run, so
// that they hold from one machine to the next: `--bar-painted 2:1.3` asks the
// first program to be painted within 1.3 times the median of the second,
// `--bar-rss 3:1` to hold at most the resident memory of the third. Exit
// status 1 when a bar is missed.
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The first program's median against that of program `other` (from 1).
struct Bar {
  std::size_t other = 0;
  double ratio = 0;
};

struct Options {
  int runs = 21;
  int settleMs = 0;
  std::vector<Bar> paintedBars;
  std::vector<Bar> rssBars;
  std::vector<std::vector<char*>> commands;  // each null-terminated
};

struct Run {
  double mappedMs = 0;
  double paintedMs = 0;
  double cpuMs = 0;  // on all the program's threads, until the window was painted
  long rssKib = 0;
  long anonKib = 0;
  long fileKib = 0;
};

// A top-level window of the program and the pixels drawn into it so far.
struct Window {
  uint16_t width = 0;
  uint16_t height = 0;
  bool mapped = false;
  bool watchedLate = false;  // it was already mapped when its Damage came
  std::vector<bool> drawn;
  long drawnCount = 0;

  void Draw(int x, int y, int w, int h) {
    if (drawn.empty()) drawn.assign(std::size_t(width) * height, false);
    for (int row = std::max(y, 0); row < std::min(y + h, int(height)); ++row) {
      for (int col = std::max(x, 0); col < std::min(x + w, int(width)); ++col) {
        const std::size_t cell = std::size_t(row) * width + col;
        if (!drawn[cell]) {
          drawn[cell] = true;
          ++drawnCount;
        }
      }
    }
  }
  bool Painted() const { return mapped && width > 0 && drawnCount == long(width) * height; }
};

class Display {
public:
  Display() : connection_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(connection_)) Fail("cannot open the display in DISPLAY");
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (!damage || !damage->present) Fail("the X server has no DAMAGE extension");
    damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
    free(xcb_damage_query_version_reply(
        connection_, xcb_damage_query_version(connection_, XCB_DAMAGE_MAJOR_VERSION,
                                              XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
  }
  ~Display() { xcb_disconnect(connection_); }

  // Starts the command and follows its windows until one is painted.
  std::optional<Run> Measure(const std::vector<char*>& command, int settleMs) {
    windows_.clear();
    mappedMs_ = 0;
    Drain();
    Run run;
    pid_t pid = 0;
    const Clock::time_point start = Clock::now();
    if (posix_spawn(&pid, command[0], nullptr, nullptr, command.data(), environ) != 0) {
      Fail("cannot start the program");
    }
    std::optional<Run> result;
    while (!result) {
      std::unique_ptr<xcb_generic_event_t, decltype(&free)> event(NextEvent(start), &free);
      if (!event) {
        std::fprintf(stderr, "startup-probe: no painted window after 10 s\n");
        break;
      }
      const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      if (const auto painted = Handle(*event, ms)) {
        if (painted->watchedLate) {
          std::fprintf(stderr, "startup-probe: the window was mapped before it could be watched; "
                               "run repeated\n");
          break;
        }
        run.paintedMs = ms;
        run.cpuMs = CpuMs(pid);
        if (settleMs > 0) Settle(painted, start, settleMs, pid, run);
        result = run;
      }
    }
    if (result) {
      result->mappedMs = mappedMs_;
      std::this_thread::sleep_until(start + std::chrono::seconds(2));
      ReadMemory(pid, *result);
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return result;
  }

  [[noreturn]] static void Fail(const char* what) {
    std::fprintf(stderr, "startup-probe: %s\n", what);
    std::exit(2);
  }

private:
  // The next event, waiting at most until 10 s after `start`.
  xcb_generic_event_t* NextEvent(Clock::time_point start) {
    for (;;) {
      if (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) return event;
      if (xcb_connection_has_error(connection_)) Fail("lost the display");
      const auto left = start + std::chrono::seconds(10) - Clock::now();
      if (left <= Clock::duration::zero()) return nullptr;
      pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
      poll(&fd, 1, int(std::chrono::duration_cast<std::chrono::milliseconds>(left).count()) + 1);
    }
  }

  // Follows the painted window's drawing until `settleMs` pass without any;
  // the run's times become those of its last drawing.
  void Settle(const Window* window, Clock::time_point start, int settleMs, pid_t pid, Run& run) {
    const auto quiet = std::chrono::milliseconds(settleMs);
    xcb_window_t id = 0;
    for (const auto& [key, value] : windows_) {
      if (&value == window) id = key;
    }
    Clock::time_point last = Clock::now();
    for (;;) {
      xcb_generic_event_t* event = xcb_poll_for_event(connection_);
      if (!event) {
        if (xcb_connection_has_error(connection_)) Fail("lost the display");
        const auto left = last + quiet - Clock::now();
        if (left <= Clock::duration::zero()) return;
        pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&fd, 1, int(std::chrono::duration_cast<std::chrono::milliseconds>(left).count()) + 1);
        continue;
      }
      const bool drawn = (event->response_type & 0x7f) == damageEvent_ &&
                         reinterpret_cast<const xcb_damage_notify_event_t*>(event)->drawable == id;
      free(event);
      if (drawn) {
        last = Clock::now();
        run.paintedMs = std::chrono::duration<double, std::milli>(last - start).count();
        run.cpuMs = CpuMs(pid);
      }
    }
  }

  void Drain() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) free(event);
  }

  // Returns the window once it is painted.
  const Window* Handle(const xcb_generic_event_t& event, double ms) {
    const uint8_t type = event.response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY) {
      const auto& created = reinterpret_cast<const xcb_create_notify_event_t&>(event);
      if (created.parent != root_) return nullptr;
      Window& window = windows_[created.window];
      window.width = created.width;
      window.height = created.height;
      // Errors (an input-only window, a window already gone) come back as
      // events and are ignored.
      xcb_damage_create(connection_, xcb_generate_id(connection_), created.window,
                        XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
      xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
          connection_, xcb_get_window_attributes(connection_, created.window), nullptr);
      window.watchedLate = attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
      free(attributes);
    } else if (type == XCB_CONFIGURE_NOTIFY) {
      const auto& configured = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
      if (auto it = windows_.find(configured.window); it != windows_.end()) {
        if (it->second.width != configured.width || it->second.height != configured.height) {
          it->second = Window{configured.width, configured.height, it->second.mapped,
                              it->second.watchedLate, {}, 0};
        }
      }
    } else if (type == XCB_MAP_NOTIFY) {
      const auto& mapped = reinterpret_cast<const xcb_map_notify_event_t&>(event);
      if (auto it = windows_.find(mapped.window); it != windows_.end()) {
        it->second.mapped = true;
        if (mappedMs_ == 0 || mappedMs_ > ms) mappedMs_ = ms;
        if (it->second.Painted()) return &it->second;
      }
    } else if (type == damageEvent_) {
      const auto& damage = reinterpret_cast<const xcb_damage_notify_event_t&>(event);
      if (auto it = windows_.find(damage.drawable); it != windows_.end()) {
        it->second.Draw(damage.area.x, damage.area.y, damage.area.width, damage.area.height);
        if (it->second.Painted()) return &it->second;
      }
    }
    return nullptr;
  }

  // The CPU time of all the process's threads (/proc/PID/task/*/schedstat).
  static double CpuMs(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    double ns = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
      while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') continue;
        std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
        double onCpu = 0;
        if (stat >> onCpu) ns += onCpu;
      }
      closedir(dir);
    }
    return ns / 1e6;
  }

  static void ReadMemory(pid_t pid, Run& run) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = 0;
    std::string unit;
    while (status >> key) {
      if (key == "VmRSS:" || key == "RssAnon:" || key == "RssFile:") {
        status >> value >> unit;
        (key == "VmRSS:" ? run.rssKib : key == "RssAnon:" ? run.anonKib : run.fileKib) = value;
      } else {
        status.ignore(1 << 16, '\n');
      }
    }
  }

  xcb_connection_t* connection_;
  xcb_window_t root_ = 0;
  uint8_t damageEvent_ = 0;
  std::map<xcb_window_t, Window> windows_;
  double mappedMs_ = 0;
};

[[noreturn]] void Usage() {
  std::fputs("usage: startup-probe [--runs N] [--settle MS] [--bar-painted K:RATIO]... "
             "[--bar-rss K:RATIO]... "
             "PROGRAM [ARG...] [-- PROGRAM [ARG...]]...\n",
             stderr);
  std::exit(2);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  int i = 1;
  const auto bar = [](const char* text) {
    char* colon = nullptr;
    Bar parsed{std::strtoul(text, &colon, 10), 0};
    if (*colon == ':') parsed.ratio = std::strtod(colon + 1, nullptr);
    if (parsed.other < 2 || parsed.ratio <= 0) Usage();
    return parsed;
  };
  for (; i + 1 < argc && std::strncmp(argv[i], "--", 2) == 0 && argv[i][2] != '\0'; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) {
      options.runs = std::max(1, std::atoi(argv[i + 1]));
    } else if (std::strcmp(argv[i], "--settle") == 0) {
      options.settleMs = std::max(0, std::atoi(argv[i + 1]));
    } else if (std::strcmp(argv[i], "--bar-painted") == 0) {
      options.paintedBars.push_back(bar(argv[i + 1]));
    } else if (std::strcmp(argv[i], "--bar-rss") == 0) {
      options.rssBars.push_back(bar(argv[i + 1]));
    } else {
      break;
    }
  }
  for (options.commands.emplace_back(); i < argc; ++i) {
    if (std::strcmp(argv[i], "--") == 0) {
      options.commands.emplace_back();
    } else {
      options.commands.back().push_back(argv[i]);
    }
  }
  for (auto& command : options.commands) {
    if (command.empty()) Usage();
    command.push_back(nullptr);
  }
  for (const auto* bars : {&options.paintedBars, &options.rssBars}) {
    for (const Bar& b : *bars) {
      if (b.other > options.commands.size()) Usage();
    }
  }
  return options;
}

template <typename T>
T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string line;
  std::getline(in, line);
  return line;
}

// The program's name: the command's, or that of the program `env` runs.
std::string Name(const std::vector<char*>& command) {
  const auto base = [](const char* path) {
    const char* slash = std::strrchr(path, '/');
    return std::string(slash ? slash + 1 : path);
  };
  if (base(command[0]) == "env") {
    for (std::size_t i = 1; i < command.size() && command[i]; ++i) {
      if (!std::strchr(command[i], '=')) return base(command[i]);
    }
  }
  return base(command[0]);
}

struct Medians {
  double paintedMs = 0;
  double rssMib = 0;
  double cpuMs = 0;
};

// Prints the figures of one program's runs and returns their medians.
Medians Report(const std::string& program, const std::vector<Run>& runs) {
  std::vector<double> painted, mapped, cpu;
  std::vector<long> rss, anon, file;
  for (const Run& run : runs) {
    painted.push_back(run.paintedMs);
    mapped.push_back(run.mappedMs);
    cpu.push_back(run.cpuMs);
    rss.push_back(run.rssKib);
    anon.push_back(run.anonKib);
    file.push_back(run.fileKib);
  }
  const Medians medians{Median(painted), Median(rss) / 1024.0, Median(cpu)};
  std::printf("%s, %zu runs:\n", program.c_str(), runs.size());
  std::printf("  exec to window painted: median %.1f ms (fastest %.1f, slowest %.1f); mapped at %.1f ms\n",
              medians.paintedMs, *std::min_element(painted.begin(), painted.end()),
              *std::max_element(painted.begin(), painted.end()), Median(mapped));
  std::printf("  CPU time until painted, all threads: median %.1f ms\n", medians.cpuMs);
  std::printf("  resident 2 s after start: median %.1f MiB (%ld KiB: anonymous %ld, files %ld)\n",
              medians.rssMib, Median(rss), Median(anon), Median(file));
  return medians;
}

// Prints one ratio bar of the first program against another; false when missed.
bool CheckBar(const char* what, const Bar& bar, double first, double other,
              const std::vector<std::vector<char*>>& commands) {
  const double ratio = first / other;
  const bool met = ratio <= bar.ratio;
  std::printf("bar %s <= %.2f x %s: ratio %.2f, %s\n", what, bar.ratio,
              Name(commands[bar.other - 1]).c_str(), ratio, met ? "met" : "MISSED");
  return met;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  Display display;
  const std::string loadBefore = LoadAverage();
  for (const auto& command : options.commands) display.Measure(command, options.settleMs);  // warms the caches
  std::vector<std::vector<Run>> runs(options.commands.size());
  int failures = 0;
  for (int round = 0; round < options.runs; ++round) {
    for (std::size_t p = 0; p < options.commands.size(); ++p) {
      std::optional<Run> run;
      while (!(run = display.Measure(options.commands[p], options.settleMs))) {
        if (++failures > options.runs) Display::Fail("too many runs without a painted window");
      }
      runs[p].push_back(*run);
    }
  }
  std::printf("Start-up under X (DISPLAY %s), runs taking turns\n", std::getenv("DISPLAY"));
  std::vector<Medians> medians;
  for (std::size_t p = 0; p < options.commands.size(); ++p) {
    medians.push_back(Report(Name(options.commands[p]), runs[p]));
  }
  // The first program against each other one, for the record.
  for (std::size_t p = 1; p < options.commands.size(); ++p) {
    std::printf("%s / %s: painted %.2f, CPU %.2f, resident %.2f\n",
                Name(options.commands[0]).c_str(), Name(options.commands[p]).c_str(),
                medians[0].paintedMs / medians[p].paintedMs, medians[0].cpuMs / medians[p].cpuMs,
                medians[0].rssMib / medians[p].rssMib);
  }
  bool met = true;
  for (const Bar& bar : options.paintedBars) {
    met = CheckBar("painted", bar, medians[0].paintedMs, medians[bar.other - 1].paintedMs,
                   options.commands) && met;
  }
  for (const Bar& bar : options.rssBars) {
    met = CheckBar("resident", bar, medians[0].rssMib, medians[bar.other - 1].rssMib,
                   options.commands) && met;
  }
  std::printf("load before: %s\nload after:  %s\n", loadBefore.c_str(), LoadAverage().c_str());
  return met ? 0 : 1;
}
