// Every control's Chinese accessible name and description, from the form.
// "=" is a push button and the link a link, each with a default action that
// does what a click does; the twin "=" behind the button is not shown.
#include "accessible_control.h"
#include "an_dh.h"
#include "windows/utf16.h"

namespace Quillo::Win32 {

using quillo_eval::ToUtf16;

// The labels carry their names as window text too (their captions are drawn
// by the window), which is what a reader of window texts finds.
void AN_DH::NameControls() {
  for (const Label* label : {&ui.AN, &ui.AN_DH, &ui.Label1, &ui.Label2}) {
    SetWindowTextW(label->hwnd, ToUtf16(label->form->accessible_name).c_str());
  }
}

const Form::Control* AN_DH::FormOf(HWND control) const {
  const std::pair<HWND, const Form::Control*> all[] = {
      {ui.TB.hwnd, &Form::kTB},       {ui.JG.hwnd, &Form::kJG},         {ui.TJ.hwnd, &Form::kTJ},
      {ui.AN.hwnd, &Form::kAN},       {ui.AN_DH.hwnd, &Form::kAN_DH},   {ui.Label1.hwnd, &Form::kLabel1},
      {ui.FunList.hwnd, &Form::kFunList}, {ui.Label2.hwnd, &Form::kLabel2}};
  for (const auto& [hwnd, form] : all) {
    if (hwnd == control) return form;
  }
  return nullptr;
}

LRESULT AN_DH::AccessibleObject(HWND control, WPARAM wParam) const {
  const Form::Control* form = FormOf(control);
  AccessibleLook look;
  look.name = ToUtf16(form->accessible_name);
  look.description = ToUtf16(form->accessible_description);
  if (form == &Form::kAN_DH) {
    look.role = ROLE_SYSTEM_PUSHBUTTON;
    look.actionName = L"按下";
    look.actionMessage = kAccessibleAction;
    look.actionParameter = kEqualsAction;
  } else if (form == &Form::kLabel2) {
    look.role = ROLE_SYSTEM_LINK;
    look.actionName = L"跳转";
    look.actionMessage = kAccessibleAction;
    look.actionParameter = kLinkAction;
  } else if (form == &Form::kAN) {
    look.hidden = true;
  } else if (form->kind == Form::Kind::TextBox) {
    look.text = true;
  } else if (form == &Form::kLabel1) {
    look.role = ROLE_SYSTEM_STATICTEXT;
  }
  return AccessibleAnswer(control, wParam, hwnd_, look);
}

void AN_DH::DoAccessibleAction(WPARAM which) {
  if (!IsWindowEnabled(hwnd_) || pressed_ != nullptr) return;
  if (which == kEqualsAction) {
    AN_DH_MouseDown();
    AN_DH_MouseUp();
  } else if (which == kLinkAction) {
    Label2_MouseDown();
    Label2_MouseUp();
  }
}

}  // namespace Quillo::Win32
