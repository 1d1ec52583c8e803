// Enter in the formula box and the "=" button: the formula goes to the
// engine (through the form), the result to the result box, the calculation
// on top of the history.
#include <exception>
#include <optional>

#include "an_dh.h"
#include "platform.h"
#include "windows/utf16.h"

namespace Quillo::Win32 {

void AN_DH::TB_KeyPress(int& keyAscii) {
  if (keyAscii != kKeyEnter) return;  // every other key goes into the box
  keyAscii = 0;                        // Enter never adds a line break
  Evaluate();
}

// A formula the engine rejects, or one that comes back as a text that is no
// number ("abc"), leaves the result and the history as they were: neither is
// written unless the outcome is a result.
void AN_DH::Evaluate() {
  std::optional<Form::EnterOutcome> outcome;
  try {
    outcome = Form::Enter(ui.TB.Text());
  } catch (const std::exception&) {
    outcome.reset();  // out of memory on a huge formula: nothing changes
  }
  if (outcome && outcome->kind == Form::EnterOutcome::Kind::Shown) {
    ui.JG.SetText(outcome->text);
    // The new entry goes in at the start of the history: the history is
    // never read or written back whole.
    ui.TJ.Prepend(quillo_eval::ToUtf16(outcome->history[0] + "\r\n" + outcome->history[1] + "\r\n"));
    ui.TJ.ShowStart();
  } else if (outcome && outcome->kind == Form::EnterOutcome::Kind::Rejected) {
    platform_.ShowMessage(hwnd_, outcome->error_box, Form::kErrorTitle);
  }
  SelectFormula();
}

void AN_DH::SelectFormula() {
  ui.TB.Focus();
  ui.TB.SelectAll();
}

// The press draws the "=" in regular weight at the smaller size that fits it,
// while AN behind it keeps the bold caption and the resting frame.
void AN_DH::AN_DH_MouseDown() {
  ui.AN_DH.SetBold(false);
  PlaceLabel(ui.AN_DH);
}

void AN_DH::AN_DH_MouseUp() {
  ui.AN_DH.SetBold(true);
  ui.AN_DH.size = ui.AN.size;
  ui.AN_DH.left = ui.AN.left;
  ui.AN_DH.top = ui.AN.top;
  PlaceLabel(ui.AN_DH);
  int keyAscii = kKeyEnter;
  TB_KeyPress(keyAscii);
}

}  // namespace Quillo::Win32
