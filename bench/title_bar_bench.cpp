// Our Wayland title bar's costs: drawing the bar, beside drawing the whole
// window (both off screen, into an image), and, when a Wayland display is
// there (WAYLAND_DISPLAY), the one question the program asks the compositor at
// start-up, beside a bare round trip on the same connection.
#include <benchmark/benchmark.h>

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <cstdlib>
#include <wayland-client.h>

#include "an_dh.h"
#include "wayland/who_draws_title_bars.h"
#include "wayland/title_bar.h"
#include "window_bench.h"

namespace QuilloBench {
namespace {

// Draws the widget into an image of its size, as a repaint would.
void Render(QWidget& widget, QImage& into) {
  QPainter painter(&into);
  widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
}

void BM_TitleBarPaint(benchmark::State& state) {
  SilentPlatform platform;
  Quillo::AN_DH window(platform);
  QWidget frame;
  frame.setWindowTitle(window.windowTitle());
  frame.setWindowIcon(window.windowIcon());
  Quillo::TitleBar bar(&frame, false);
  bar.resize(Quillo::Form::kClientWidthPx + 2, bar.barHeight());
  QImage image(bar.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    Render(bar, image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_TitleBarPaint)->Name("TitleBar/Paint")->Unit(benchmark::kMicrosecond);

// The reference: the window the bar stands above.
void BM_WindowPaint(benchmark::State& state) {
  SilentPlatform platform;
  Quillo::AN_DH window(platform);
  QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    Render(window, image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_WindowPaint)->Name("Window/Paint")->Unit(benchmark::kMicrosecond);

void BM_AskCompositor(benchmark::State& state, wl_display* display) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(Quillo::AdvertisesGlobal(display, "zxdg_decoration_manager_v1"));
  }
}

void BM_RoundTrip(benchmark::State& state, wl_display* display) {
  for (auto _ : state) benchmark::DoNotOptimize(wl_display_roundtrip(display));
}

// Only with a compositor to ask (bench/wayland-title-bar runs them so).
const bool kWaylandRegistered = [] {
  if (std::getenv("WAYLAND_DISPLAY") == nullptr) return false;
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) return false;
  benchmark::RegisterBenchmark("Wayland/AskCompositor", BM_AskCompositor, display)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("Wayland/RoundTrip", BM_RoundTrip, display)
      ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace
}  // namespace QuilloBench
