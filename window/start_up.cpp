#include "start_up.h"

#include "accessibility.h"
#include "look/desktop_style.h"
#include "look/qt_chinese.h"

namespace Quillo {

void SetUpApplication() {
  InstallAccessibility();
  UseQtChineseTexts();
}

detail::StyleSetAside::StyleSetAside() : setAside(SetDesktopStyleAside()) {}

// The base holding the set-aside style override is made before QApplication.
Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  PutStyleOverrideBack(setAside);
  SetUpApplication();
}

}  // namespace Quillo
