// win32_window_cost: what making and first painting quillo.exe's window
// costs beside a bare window of the same size, what an Enter costs as the
// history grows, and what a large paste into the formula costs. Prints medians
// of repeated runs and their ratios to the same measure on an empty window,
// all measured in one run:
//
//   tests/support/on_xvfb.sh cmake/wine-run PREFIX win32_window_cost.exe [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "an_dh.h"
#include "form/form.h"
#include "platform.h"
#include "windows/utf16.h"

namespace {

struct Quiet final : Quillo::Win32::Platform {
  void ShowMessage(HWND, const std::vector<std::string>&, std::string_view) override {}
  void SetClipboardText(HWND, std::string_view) override {}
  bool OpenUrl(std::string_view) override { return true; }
};

double Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// The history as `entries` calculations would leave it.
std::wstring History(int entries) {
  const std::wstring entry =
      quillo_eval::ToUtf16(Quillo::Form::HistorySeparator() + "\r\n 3 = 1+2\r\n");
  std::wstring text;
  text.reserve(entry.size() * static_cast<std::size_t>(entries));
  for (int i = 0; i < entries; ++i) text += entry;
  return text;
}

// The time of one Enter (evaluation, result, history entry, painting).
double EnterOnce(Quillo::Win32::AN_DH& window) {
  window.controls().TB.SetText("2*sin(30)+(1+2)^2");
  const double start = Seconds();
  SendMessageW(window.controls().TB.hwnd, WM_CHAR, L'\r', 1);
  UpdateWindow(window.hwnd());
  RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return Seconds() - start;
}

// The median times of an Enter with each of `entries` in the history, one
// window each, taking turns so that a change in the machine's load falls on
// all of them alike.
std::vector<double> EnterCosts(const std::vector<int>& entries, int rounds) {
  Quiet platform;
  std::vector<std::unique_ptr<Quillo::Win32::AN_DH>> windows;
  for (int count : entries) {
    windows.push_back(std::make_unique<Quillo::Win32::AN_DH>(platform));
    windows.back()->Show(SW_SHOWNORMAL);
    SetWindowTextW(windows.back()->controls().TJ.hwnd, History(count).c_str());
  }
  Pump();
  std::vector<std::vector<double>> times(entries.size());
  for (int i = 0; i < rounds; ++i) {
    for (std::size_t w = 0; w < windows.size(); ++w) times[w].push_back(EnterOnce(*windows[w]));
  }
  std::vector<double> medians;
  for (std::size_t w = 0; w < windows.size(); ++w) {
    const auto expected = static_cast<std::size_t>(entries[w] + rounds) * 2;
    const auto lines = static_cast<std::size_t>(SendMessageW(windows[w]->controls().TJ.hwnd, EM_GETLINECOUNT, 0, 0));
    if (lines != expected + 1) std::printf("  history has %zu lines, expected %zu\n", lines, expected + 1);
    medians.push_back(Median(times[w]));
  }
  return medians;
}

// Pasting `text` into the formula, then one more message through the window.
double PasteCost(const std::wstring& text) {
  Quiet platform;
  Quillo::Win32::AN_DH window(platform);
  window.Show(SW_SHOWNORMAL);
  Pump();
  const double start = Seconds();
  SendMessageW(window.controls().TB.hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  SendMessageW(window.hwnd(), WM_NULL, 0, 0);
  const double cost = Seconds() - start;
  if (window.controls().TB.Length() != text.size()) std::printf("  the paste lost characters\n");
  return cost;
}

LRESULT CALLBACK BarePaint(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(hwnd, &paint);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A window with the same frame and client size that paints itself white.
double BareWindowCost() {
  WNDCLASSW bare{};
  bare.lpfnWndProc = BarePaint;
  bare.hInstance = GetModuleHandleW(nullptr);
  bare.lpszClassName = L"Quillo.Bare";
  RegisterClassW(&bare);
  const double start = Seconds();
  RECT frame{0, 0, Quillo::Form::kClientWidthPx, Quillo::Form::kClientHeightPx};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND hwnd = CreateWindowExW(0, L"Quillo.Bare", L"Quillo", style, 100, 100, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, bare.hInstance, nullptr);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const double cost = Seconds() - start;
  DestroyWindow(hwnd);
  Pump();
  return cost;
}

// quillo.exe's window: made, loaded, shown and painted with all its controls.
double QuilloWindowCost() {
  Quiet platform;
  const double start = Seconds();
  double cost = 0;
  {
    Quillo::Win32::AN_DH window(platform);
    window.Show(SW_SHOWNORMAL);
    RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    cost = Seconds() - start;
  }
  Pump();
  return cost;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 21;
  QuilloWindowCost();  // the fonts' first look-up, the pictures' first pages
  BareWindowCost();
  std::vector<double> bare, quillo;
  for (int i = 0; i < rounds; ++i) {
    bare.push_back(BareWindowCost());
    quillo.push_back(QuilloWindowCost());
  }
  std::printf("Made, shown and painted, median of %d:\n", rounds);
  std::printf("  bare window     %8.3f ms  1.00x\n", Median(bare) * 1e3);
  std::printf("  quillo window   %8.3f ms  %.2fx\n", Median(quillo) * 1e3, Median(quillo) / Median(bare));
  std::printf("Enter, median of %d, with the history holding N entries:\n", rounds);
  const std::vector<int> entries = {0, 1000, 10000, 100000};
  const std::vector<double> costs = EnterCosts(entries, rounds);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::printf("  N=%-7d %8.3f ms  %.2fx\n", entries[i], costs[i] * 1e3, costs[i] / costs[0]);
  }
  std::printf("Paste into the formula (one run each):\n");
  for (std::size_t size : {std::size_t{1} << 16, std::size_t{1} << 18, std::size_t{1} << 20}) {
    // Lines of 64 characters.
    std::wstring lines;
    while (lines.size() < size) lines += L"1+2+3+4+5+6+7+8+9+10+11+12+13+14+15+16+17+18+19+20+21+22+23+2\r\n";
    lines.resize(size);
    std::printf("  %7zu characters in lines of 64: %8.1f ms\n", size, PasteCost(lines) * 1e3);
  }
  for (std::size_t size : {std::size_t{1} << 16, std::size_t{1} << 18, std::size_t{1} << 20}) {
    std::printf("  %7zu characters on one line:  %8.1f ms\n", size, PasteCost(std::wstring(size, L'9')) * 1e3);
  }
  return 0;
}
