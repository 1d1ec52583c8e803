// What the Win32 window suites share: a platform that records instead of
// showing, a freshly loaded and shown window, and messages as the controls
// get them from Windows.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "an_dh.h"
#include "platform.h"
#include "windows/utf16.h"

namespace QuilloTest {

struct RecordingPlatform final : Quillo::Win32::Platform {
  struct Box {
    HWND owner;
    std::vector<std::string> lines;
    std::string title;
  };
  std::vector<Box> boxes;
  std::vector<std::string> clipboard;  // every text put there, in order
  std::vector<std::string> opened;
  bool browser = true;  // whether a web browser starts

  void ShowMessage(HWND owner, const std::vector<std::string>& lines, std::string_view title) override {
    boxes.push_back({owner, lines, std::string(title)});
  }
  void SetClipboardText(HWND, std::string_view text) override { clipboard.emplace_back(text); }
  bool OpenUrl(std::string_view address) override {
    opened.emplace_back(address);
    return browser;
  }
};

// Handles what is waiting in the thread's queue (painting, focus changes).
inline void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

class WindowTest : public ::testing::Test {
protected:
  RecordingPlatform platform;
  Quillo::Win32::AN_DH window{platform};
  const Quillo::Win32::WindowControls& ui = window.controls();

  void SetUp() override {
    window.Show(SW_SHOWNORMAL);
    SetForegroundWindow(window.hwnd());
    Pump();
  }

  // A character typed into a control.
  static void Char(HWND control, wchar_t character) { SendMessageW(control, WM_CHAR, character, 1); }
  static void Key(HWND control, UINT message, WPARAM key) {
    SendMessageW(control, message, key, message == WM_KEYUP ? 0xC0000001 : 1);
  }
  void Enter() { Char(ui.TB.hwnd, L'\r'); }
  void Evaluate(std::string_view formula) {
    ui.TB.SetText(formula);
    Enter();
  }
  // A press and a release of a mouse button at a point of the control.
  static void Click(HWND control, UINT down, UINT up, POINT at = {2, 2}) {
    SendMessageW(control, down, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(control, up, 0, MAKELPARAM(at.x, at.y));
  }
  // The control's place in the window's client area.
  static RECT PlaceOf(HWND control) { return Quillo::Win32::Control{control}.Place(); }
};

inline std::string Utf8(std::wstring_view text) { return quillo_eval::ToUtf8(text); }

}  // namespace QuilloTest
