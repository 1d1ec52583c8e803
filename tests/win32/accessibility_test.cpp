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
  std::string Name() const {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object == nullptr || object->get_accName(self, &name) != S_OK || name == nullptr) return "<none>";
    std::string text = Utf8(name);
    SysFreeString(name);
    return text;
  }
  LONG Role() const {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    if (object == nullptr || object->get_accRole(self, &role) != S_OK) return -1;
    return role.vt == VT_I4 ? role.lVal : -1;
  }
  HRESULT DoDefaultAction() const {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return object == nullptr ? E_FAIL : object->accDoDefaultAction(self);
  }
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
