// What assistive technology finds: every control by its Chinese name from
// the form, "=" and the link as controls with a default action that does
// what a click does.
#include <oleacc.h>

#include <string>

#include "form/form.h"
#include "window_fixture.h"

namespace {

using QuilloTest::Utf8;
using QuilloTest::WindowTest;
namespace Form = Quillo::Form;

struct Accessible {
  IAccessible* object = nullptr;
  explicit Accessible(HWND hwnd) {
    AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
  }
  ~Accessible() {
    if (object != nullptr) object->Release();
  }
  static VARIANT Self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
  }
  std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const {
    BSTR text = nullptr;
    if (object == nullptr || (object->*get)(Self(), &text) != S_OK || text == nullptr) return "<none>";
    std::string utf8 = Utf8(text);
    SysFreeString(text);
    return utf8;
  }
  std::string Name() const { return Text(&IAccessible::get_accName); }
  std::string Value() const { return Text(&IAccessible::get_accValue); }
  LONG Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) const {
    VARIANT number{};
    if (object == nullptr || (object->*get)(Self(), &number) != S_OK) return -1;
    return number.vt == VT_I4 ? number.lVal : -1;
  }
  LONG Role() const { return Number(&IAccessible::get_accRole); }
  LONG State() const { return Number(&IAccessible::get_accState); }
  HRESULT DoDefaultAction() const { return object == nullptr ? E_FAIL : object->accDoDefaultAction(Self()); }
};

class Accessibility : public WindowTest {
protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    WindowTest::SetUp();
  }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(Accessibility, EveryControlHasTheFormsChineseName) {
  const std::pair<HWND, const Form::Control*> controls[] = {
      {ui.TB.hwnd, &Form::kTB},         {ui.JG.hwnd, &Form::kJG},         {ui.TJ.hwnd, &Form::kTJ},
      {ui.AN_DH.hwnd, &Form::kAN_DH},   {ui.Label1.hwnd, &Form::kLabel1}, {ui.FunList.hwnd, &Form::kFunList},
      {ui.Label2.hwnd, &Form::kLabel2}};
  for (const auto& [hwnd, form] : controls) {
    EXPECT_EQ(Accessible(hwnd).Name(), form->accessible_name) << form->name;
  }
}

// The boxes are text whose value is what they show; the result and the
// history are read-only.
TEST_F(Accessibility, BoxesAreTextWithTheirTextAsValue) {
  Evaluate("6*7");
  const std::pair<const Quillo::Win32::TextBox*, bool> boxes[] = {{&ui.TB, false}, {&ui.JG, true}, {&ui.TJ, true}};
  for (const auto& [box, readOnly] : boxes) {
    const Accessible text(box->hwnd);
    EXPECT_EQ(text.Role(), ROLE_SYSTEM_TEXT);
    EXPECT_EQ(text.Value(), box->Text());
    EXPECT_EQ((text.State() & STATE_SYSTEM_READONLY) != 0, readOnly);
  }
  EXPECT_EQ(Accessible(ui.JG.hwnd).Value(), " 42");
}

TEST_F(Accessibility, EqualsIsAPushButtonWhoseDefaultActionEvaluates) {
  const Accessible equals(ui.AN_DH.hwnd);
  ASSERT_NE(equals.object, nullptr);
  EXPECT_EQ(equals.Role(), ROLE_SYSTEM_PUSHBUTTON);
  ui.TB.SetText("6*7");
  EXPECT_EQ(equals.DoDefaultAction(), S_OK);
  QuilloTest::Pump();
  EXPECT_EQ(ui.JG.Text(), " 42");
  EXPECT_TRUE(ui.AN_DH.bold);
}

TEST_F(Accessibility, LinkIsALinkWhoseDefaultActionOpensTheShop) {
  const Accessible link(ui.Label2.hwnd);
  ASSERT_NE(link.object, nullptr);
  EXPECT_EQ(link.Role(), ROLE_SYSTEM_LINK);
  EXPECT_EQ(link.DoDefaultAction(), S_OK);
  QuilloTest::Pump();
  EXPECT_EQ(platform.opened, std::vector<std::string>{std::string(Form::kShopAddress)});
}

}  // namespace
