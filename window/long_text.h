// Long texts in the window's boxes: a formula or a history line of a million
// characters or more is laid out, drawn, selected and copied at a cost that
// grows with its length, not with its square.
#pragma once

namespace Quillo {

struct WindowControls;

// Sets up the formula, result and history boxes for long texts; called once,
// when the controls have been made.
void SteerForLongText(const WindowControls& ui);

}  // namespace Quillo
