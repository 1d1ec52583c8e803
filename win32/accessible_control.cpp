#include "accessible_control.h"

#include <utility>

#include "controls.h"
#include "on_demand.h"

namespace Quillo::Win32 {
namespace {

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = OnDemand::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The standard object, with what the form says put over it.
class AccessibleControl final : public IAccessible {
public:
  AccessibleControl(IAccessible* standard, HWND control, HWND window, AccessibleLook look)
      : standard_(standard), control_(control), window_(window), look_(std::move(look)) {
    if (look_.text) look_.role = ROLE_SYSTEM_TEXT;
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
      standard_->Release();
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  // IDispatch: not offered.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible: the form's name, description, role and action for the
  // control itself; all else from the standard object.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return IsSelf(child) ? Text(look_.name, name) : standard_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (IsSelf(child) && !look_.description.empty()) return Text(look_.description, description);
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) || look_.role == 0) return standard_->get_accRole(child, role);
    *role = VARIANT{};
    role->vt = VT_I4;
    role->lVal = look_.role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = standard_->get_accState(child, state);
    if (IsSelf(child) && look_.hidden) {
      *state = VARIANT{};
      state->vt = VT_I4;
      state->lVal = STATE_SYSTEM_INVISIBLE;
      return S_OK;
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control_, GWL_STYLE));
    if (SUCCEEDED(result) && IsSelf(child) && look_.text && state->vt == VT_I4 && (style & ES_READONLY) != 0) {
      state->lVal |= STATE_SYSTEM_READONLY;
    }
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (IsSelf(child) && look_.actionMessage != 0) return Text(look_.actionName, action);
    return standard_->get_accDefaultAction(child, action);
  }
  // The action happens on the window's next turn: the caller is not held
  // up by an error box it brings up. While a box is open the window is
  // disabled and the action does nothing.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child) || look_.actionMessage == 0) return standard_->accDoDefaultAction(child);
    if (!IsWindowEnabled(window_)) return S_FALSE;
    return PostMessageW(window_, look_.actionMessage, look_.actionParameter, 0) ? S_OK : E_FAIL;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return standard_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!IsSelf(child) || !look_.text) return standard_->get_accValue(child, value);
    return Text(TextBox{{control_}}.WideText(), value);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    return standard_->get_accSelection(selection);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

private:
  ~AccessibleControl() = default;

  LONG references_ = 1;
  IAccessible* standard_;
  HWND control_;
  HWND window_;
  AccessibleLook look_;
};

}  // namespace

LRESULT AccessibleAnswer(HWND control, WPARAM wParam, HWND window, const AccessibleLook& look) {
  IAccessible* standard = nullptr;
  if (FAILED(OnDemand::CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* accessible = new AccessibleControl(standard, control, window, look);
  const LRESULT answer = OnDemand::LresultFromObject(__uuidof(IAccessible), wParam, accessible);
  accessible->Release();
  // A failure (an error code) leaves the message to the control's own handler.
  return answer > 0 ? answer : 0;
}

}  // namespace Quillo::Win32
