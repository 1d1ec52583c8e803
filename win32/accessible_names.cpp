// Every control's Chinese accessible name, from the form. The labels carry
// theirs as window text (their captions are drawn by the window); the boxes
// and the list get theirs, and descriptions, from Windows' dynamic
// annotation, which assistive technology reads through the standard
// accessible objects. "=" and the link are buttons there, whose default
// action presses them (BM_CLICK comes as a press and a release); the link
// has the role of a link, and the twin "=" behind the button is not shown.
#include <initguid.h>

#include <windows.h>

#include <objbase.h>
#include <oleacc.h>

#include "an_dh.h"
#include "windows/utf16.h"

namespace Quillo::Win32 {
namespace {

using quillo_eval::ToUtf16;

VARIANT Integer(LONG value) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_I4;
  variant.lVal = value;
  return variant;
}

}  // namespace

void AN_DH::NameControls() {
  for (const Label* label : {&ui.AN, &ui.AN_DH, &ui.Label1, &ui.Label2}) {
    SetWindowTextW(label->hwnd, ToUtf16(label->form->accessible_name).c_str());
  }

  // COM may already be started on this thread (quillo.exe starts it); the
  // annotation works in either apartment.
  const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IAccPropServices* services = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
    const std::array<std::pair<HWND, const Form::Control*>, 6> named = {
        {{ui.TB.hwnd, &Form::kTB},
         {ui.JG.hwnd, &Form::kJG},
         {ui.TJ.hwnd, &Form::kTJ},
         {ui.FunList.hwnd, &Form::kFunList},
         {ui.AN_DH.hwnd, &Form::kAN_DH},
         {ui.Label2.hwnd, &Form::kLabel2}}};
    for (const auto& [hwnd, form] : named) {
      services->SetHwndPropStr(hwnd, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME,
                               ToUtf16(form->accessible_name).c_str());
      if (!form->accessible_description.empty()) {
        services->SetHwndPropStr(hwnd, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                 ToUtf16(form->accessible_description).c_str());
      }
    }
    services->SetHwndProp(ui.Label2.hwnd, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE,
                          Integer(ROLE_SYSTEM_LINK));
    services->SetHwndProp(ui.AN.hwnd, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_STATE,
                          Integer(STATE_SYSTEM_INVISIBLE));
    services->Release();
  }
  if (SUCCEEDED(started)) CoUninitialize();
}

}  // namespace Quillo::Win32
