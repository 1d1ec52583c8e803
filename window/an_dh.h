// The calculator's one window, AN_DH: the formula, result and history boxes on
// the left; the "=" button, the function list and the shop link on the right.
//
// What the form is (controls, captions, fonts, colours, list entries, what
// Enter, a list entry and a copy make of texts) is in form/form.h, without a
// toolkit; this window draws and wires it in Qt. The window's work is split
// by area:
//   an_dh_layout.cpp       the form's controls in Qt, background, Form_Load
//   an_dh_evaluation.cpp   Enter and "=": the form's outcome shown
//   an_dh_conveniences.cpp function list, result copy, shop link
//   an_dh_wiring.cpp       the one place where events reach the handlers
// Beside it: start_up.h (the program's set-up, shared with the tests),
// platform.h / qt_platform.h (error box, clipboard, browser), accessibility.h.
// Its rooms, none of which includes this header: look/ (style, palette,
// translations, fonts, built-in face, background picture), text/ (the text
// box, prepend, steady scroll bar), wayland/ (our own title bar).
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <string>

#include "form/form.h"
#include "look/background_picture.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;

namespace Quillo {

class Platform;

// The controls, by the names the calculator has always given them.
struct WindowControls {
  QPlainTextEdit* TB = nullptr;   // the formula
  QPlainTextEdit* JG = nullptr;   // the result (read-only)
  QPlainTextEdit* TJ = nullptr;   // the history, newest first (read-only)
  QLabel* AN_DH = nullptr;        // the "=" button
  QLabel* AN = nullptr;           // its twin behind it: the resting frame
  QLabel* Label1 = nullptr;       // heading of the function list
  QListWidget* FunList = nullptr; // the functions
  QLabel* Label2 = nullptr;       // the shop link
};

// Layout constants in twips, as the handlers and the tests need them.
inline constexpr int kLabel2Top = Form::kLabel2.place.top;       // the link at rest
inline constexpr int kLabel2PressedTop = Form::kLabel2PressedTop;  // the link while pressed
inline constexpr int kKeyEnter = 13;

class AN_DH : public QWidget {
  Q_OBJECT

public:
  // The window keeps a reference to `platform`, which must outlive it.
  explicit AN_DH(Platform& platform, QWidget* parent = nullptr);

  const WindowControls& controls() const { return ui; }

  // The list entries and the separator line of the history.
  static const QStringList& FunctionEntries();
  static QString HistorySeparator();
  static QString ShopAddress();

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

protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildControls();
  void WireEvents();
  void Evaluate();
  void PrependHistory(const std::array<std::string, 2>& entry);
  void SelectFormula();

  Platform& platform_;
  WindowControls ui;
  BackgroundPicture background_;
};

// Sets a self-sizing label's bold flag; it then takes the size of its caption,
// keeping its top-left corner.
void SetLabelBold(QLabel& label, bool bold);

}  // namespace Quillo
