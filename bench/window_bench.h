// The window benchmarks run off screen in the benchmark process's one
// QApplication. WindowBenchEnvironment creates it (with the offscreen
// platform) and, when it goes, first closes the windows the benchmarks keep
// between runs.
#pragma once

#include <memory>

class QApplication;

namespace QuilloBench {

class WindowBenchEnvironment {
public:
  WindowBenchEnvironment(int& argc, char** argv);
  ~WindowBenchEnvironment();
  WindowBenchEnvironment(const WindowBenchEnvironment&) = delete;
  WindowBenchEnvironment& operator=(const WindowBenchEnvironment&) = delete;

private:
  std::unique_ptr<QApplication> app_;
};

}  // namespace QuilloBench
