// The window benchmarks run off screen in the benchmark process's one
// QApplication. WindowBenchEnvironment creates it (with the offscreen
// platform) and, when it goes, first closes the windows the benchmarks keep
// between runs.
#pragma once

#include <memory>

#include "platform.h"

class QApplication;

namespace QuilloBench {

// The platform of a benchmarked window: no box, clipboard or browser.
struct SilentPlatform final : Quillo::Platform {
  void ShowMessage(QWidget*, const QString&, int, const QString&) override {}
  void SetClipboardText(const QString&) override {}
  bool OpenUrl(const QUrl&) override { return true; }
};

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
