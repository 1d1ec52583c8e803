// The calculator's one window, AN_DH, as a native Win32 window: the formula,
// result and history boxes on the left; the "=" button, the function list
// and the shop link on the right, all drawn from the form (form/form.h).
//
// The window's work is split by area:
//   an_dh_layout.cpp       controls, DPI, fonts, colours, background, Form_Load
//   an_dh_evaluation.cpp   Enter and "=": evaluation and history
//   an_dh_conveniences.cpp function list, result copy, shop link
//   an_dh_wiring.cpp       the one place where messages reach the handlers
//   an_dh_accessibility.cpp names, roles and actions for assistive technology
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "background.h"
#include "controls.h"
#include "label.h"

namespace Quillo::Win32 {

class Platform;

// The controls, by the names the calculator has always given them.
struct WindowControls {
  TextBox TB;        // the formula
  TextBox JG;        // the result (read-only)
  TextBox TJ;        // the history, newest first (read-only)
  Label AN{Form::kAN};        // the twin of "=" behind it: the resting frame
  Label AN_DH{Form::kAN_DH};  // the "=" button
  Label Label1{Form::kLabel1};  // heading of the function list
  ListBox FunList;   // the functions
  Label Label2{Form::kLabel2};  // the shop link
};

inline constexpr int kKeyEnter = 13;

class AN_DH {
public:
  // Makes the window and its controls and runs Form_Load; the window is
  // shown by Show. The window keeps a reference to `platform`, which must
  // outlive it.
  explicit AN_DH(Platform& platform);
  ~AN_DH();
  AN_DH(const AN_DH&) = delete;
  AN_DH& operator=(const AN_DH&) = delete;

  HWND hwnd() const { return hwnd_; }
  const WindowControls& controls() const { return ui; }
  UINT Dpi() const { return dpi_; }
  void Show(int how);

  // The handlers. Mouse handlers take no button or position: every button
  // acts the same, and the release reaches the control that took the press.
  void Form_Load();
  void TB_KeyPress(int& keyAscii);
  void AN_DH_MouseDown();
  void AN_DH_MouseUp();
  void FunList_DblClick();
  void JG_DblClick();
  void Label2_MouseDown();
  void Label2_MouseUp();

  // The window class's name.
  static constexpr const wchar_t* kClassName = L"Quillo.AN_DH";

private:
  void BuildControls();
  void NameControls();
  const Form::Control* FormOf(HWND control) const;
  LRESULT AccessibleObject(HWND control, WPARAM wParam) const;
  void DoAccessibleAction(WPARAM which);
  // Posted for an accessible default action, with which control's.
  static constexpr UINT kAccessibleAction = WM_APP + 1;
  static constexpr WPARAM kEqualsAction = 0;
  static constexpr WPARAM kLinkAction = 1;
  void SetDpi(UINT dpi);
  void PlaceLabel(Label& label);
  void Evaluate();
  void SelectFormula();
  void FocusNext(HWND from, bool backwards);

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Returns true when the message was the handler's, and `result` its answer.
  bool OnControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Paint();
  void DrawLabel(const DRAWITEMSTRUCT& item);
  LRESULT ControlColours(HDC dc, HWND control);

  Platform& platform_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  WindowControls ui;
  Background background_;
  std::array<HFONT, 3> boxFonts_{};  // TB, JG, TJ
  HFONT listFont_ = nullptr;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  HWND pressed_ = nullptr;  // the label that took a press, until its release
  HWND focus_ = nullptr;    // the control with the focus when the window was left
};

}  // namespace Quillo::Win32
